#pragma once
// The last colours the user took in the colour window, newest first, kept in
// the settings file as section "ColorHistory", keys "0" to "15", each in the
// stored colour form.
#include "storage/CustomIniFile.h"
#include "util/Color.h"

#include <cstddef>
#include <vector>

class TColorHistory {
  public:
    static constexpr std::size_t Capacity = 16;

    // Puts the colour first, unless it is first already; the oldest beyond
    // the capacity goes. True when the list changed.
    bool Add(TColor color);
    const std::vector<TColor>& Colors() const { return m_colors; }

    // Keys that name no colour (a hand-edited or damaged file) are skipped.
    void Load(TCustomIniFile& ini);
    void Save(TCustomIniFile& ini) const;

  private:
    std::vector<TColor> m_colors;
};

extern const wchar_t* const ColorHistorySection;
