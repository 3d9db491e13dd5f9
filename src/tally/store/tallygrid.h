#pragma once
// The tally table: 9 columns of text cells by 1 + N rows. Row 0 holds the local player's totals,
// rows 1 to N one tallied opponent each.

#include <QString>
#include <array>
#include <vector>

namespace zb {

inline constexpr int kTallyColumns = 9;
using TallyRow = std::array<QString, kTallyColumns>;
using TallyGrid = std::vector<TallyRow>;

} // namespace zb
