#include "win/form_layout.h"

#include <stdexcept>
#include <string>

namespace marrowpin::win {

const LayoutComponent& FindComponent(FormLayout layout, std::string_view name) {
  for (const LayoutComponent& component : layout) {
    if (component.name == name) return component;
  }
  throw std::logic_error("layout lacks " + std::string(name));
}

}  // namespace marrowpin::win
