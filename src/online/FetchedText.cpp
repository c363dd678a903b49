#include "online/FetchedText.h"

#include "storage/TextCodec.h"
#include "util/StringUtils.h"

std::vector<std::wstring> DecodeFetchedText(const std::uint8_t* data, std::size_t size) {
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF)
        return SplitLines(DecodeUtf8(data + 3, size - 3));
    if (IsValidUtf8(data, size)) return SplitLines(DecodeUtf8(data, size));
    return SplitLines(DecodeCp1252(data, size));
}
