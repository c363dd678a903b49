#pragma once
// The magnifier's messages in each language (its buttons' and menu's texts
// stand in its command rows).
#include "util/LocalText.h"

namespace MagnifierText {

inline constexpr LocalText WindowNotCreated{L"Das Lupenfenster konnte nicht erzeugt werden.",
                                            L"The magnifier window could not be created."};

} // namespace MagnifierText
