// Proves that the Windows builds of libcurl and pugixml link statically and work:
// fetches a URL with libcurl and writes the body unchanged to stdout, after
// parsing a small document with pugixml. Exit code 0 only if everything worked.
//
//   dravik_curl_fetch_check.exe [--cacert <pem file>] <url>
//
// --cacert trusts the given certificates instead of the system store, so an
// HTTPS fetch from a local test server proves the Schannel path.
#include <curl/curl.h>
#include <pugixml.hpp>
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>

namespace {

enum ExitCode { Ok = 0, Usage = 1, XmlFailed = 2, CurlUnusable = 3, FetchFailed = 4 };

std::string toUtf8(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return {};
    std::string result(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), bytes, nullptr, nullptr);
    result.resize(static_cast<size_t>(bytes - 1));
    return result;
}

// Narrow-char pugixml must hand UTF-8 text to Dravik's wide strings intact.
bool pugixmlWorks() {
    pugi::xml_document doc;
    const char* xml = "<check><item name=\"Lineal \xC3\xA4\">42</item></check>";
    if (!doc.load_string(xml)) return false;
    const pugi::xml_node item = doc.child("check").child("item");
    return item.text().as_int() == 42 &&
           pugi::as_wide(item.attribute("name").value()) == L"Lineal \u00E4";
}

// Dravik talks HTTPS through Schannel; a build without it is useless even if
// the plain HTTP fetch below succeeds.
bool curlHasSchannel() {
    const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
    return (info->features & CURL_VERSION_SSL) != 0 && info->ssl_version != nullptr &&
           std::strstr(info->ssl_version, "Schannel") != nullptr;
}

size_t writeToStdout(char* data, size_t size, size_t count, void*) {
    return std::fwrite(data, 1, size * count, stdout);
}

struct EasyCleanup {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

struct GlobalCurl {
    const CURLcode result = curl_global_init(CURL_GLOBAL_ALL);
    ~GlobalCurl() {
        if (result == CURLE_OK) curl_global_cleanup();
    }
};

ExitCode fetchToStdout(const std::string& url, const std::string& caFile) {
    std::unique_ptr<CURL, EasyCleanup> easy(curl_easy_init());
    if (!easy) return CurlUnusable;
    char error[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(easy.get(), CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(easy.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_MAXREDIRS, 5L);
    // An empty proxy overrides any proxy from the environment.
    curl_easy_setopt(easy.get(), CURLOPT_PROXY, "");
    curl_easy_setopt(easy.get(), CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_CONNECTTIMEOUT, 10L);
    curl_easy_setopt(easy.get(), CURLOPT_TIMEOUT, 60L);
    curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, writeToStdout);
    if (!caFile.empty()) curl_easy_setopt(easy.get(), CURLOPT_CAINFO, caFile.c_str());

    const CURLcode result = curl_easy_perform(easy.get());
    if (result != CURLE_OK) {
        std::fprintf(stderr, "fetch failed: %s\n", error[0] ? error : curl_easy_strerror(result));
        return FetchFailed;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "writing stdout failed\n");
        return FetchFailed;
    }
    return Ok;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::string caFile;
    if (argc == 4 && std::wcscmp(argv[1], L"--cacert") == 0) {
        caFile = toUtf8(argv[2]);
    } else if (argc != 2) {
        std::fprintf(stderr, "usage: dravik_curl_fetch_check [--cacert <pem file>] <url>\n");
        return Usage;
    }
    // The body must reach stdout byte for byte, without CRLF translation.
    _setmode(_fileno(stdout), _O_BINARY);

    if (!pugixmlWorks()) {
        std::fprintf(stderr, "pugixml: parsing the check document failed\n");
        return XmlFailed;
    }
    const GlobalCurl global;
    if (global.result != CURLE_OK) {
        std::fprintf(stderr, "curl_global_init failed\n");
        return CurlUnusable;
    }
    std::fprintf(stderr, "%s\n", curl_version());
    if (!curlHasSchannel()) {
        std::fprintf(stderr, "libcurl was built without Schannel\n");
        return CurlUnusable;
    }
    return fetchToStdout(toUtf8(argv[argc - 1]), caFile);
}
