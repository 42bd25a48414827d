// Natural order of names as the user's language sorts them: the system's
// comparison with digits read as numbers, letter case and diacritics set
// aside. Names it holds equal keep the portable order among themselves, so
// the order is the same every time. A system that cannot read digits as
// numbers leaves the whole order to the portable one.
#pragma once

#include <string_view>

#include "menu/live_ranking.h"

namespace trevalon {

class SystemNameOrder final : public NameOrder {
  public:
    SystemNameOrder();
    int compare(std::string_view a, std::string_view b) const override;
    bool uses_system() const { return system_; }

  private:
    PortableNameOrder portable_;
    bool system_ = false;
};

}  // namespace trevalon
