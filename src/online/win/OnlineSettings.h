#pragma once
// Where the online services look: the vendor's server, or the one an
// administrator names in the string value "ServerURL" of the program's key
// under HKEY_CURRENT_USER (a mirror, or a test server).
#include "online/OnlineUrls.h"
#include "util/ProgramInfo.h"

TOnlineUrls ConfiguredOnlineUrls(const TProgramInfo& info);
