// libFuzzer target: what a person may type or paste into "CSS-Eingabe". The
// input's bytes are the text (as Latin-1); any text is either a colour inside
// sRGB or refused with a message, and never a number that is no number. The
// first three bytes as a colour: each of its notations reads back as it.
#include "colour/CssColorParse.h"

#include "FuzzSupport.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i < size && i < 4096; ++i)
        text += static_cast<wchar_t>(data[i]);
    const TCssReading reading = ReadCssColor(text);
    Check(reading.Value.has_value() == reading.Error.empty());
    if (reading.Value) {
        for (double v : reading.Value->Values)
            Check(std::isfinite(v));
        const TCssTaken taken = TakeCssColor(*reading.Value);
        Check(taken.Color >= 0 && taken.Color <= 0xFFFFFF);
    }
    if (size >= 3) {
        const TColor colour = RGBColor(data[0], data[1], data[2]);
        const TColor preferred[] = {colour};
        for (int i = 0; i < CssNotationCount; ++i) {
            const auto notation = static_cast<TCssNotation>(i);
            const TCssReading back = ReadCssColor(CssNotationText(colour, notation));
            Check(back.Value.has_value());
            Check(TakeCssColor(*back.Value, preferred).Color == colour);
        }
    }
    return 0;
}
