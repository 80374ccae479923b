#include "view/ViewHooks.h"

namespace rvhost {

ViewHooks::ToolItems& ViewHooks::provider() {
    static ToolItems items;
    return items;
}

void ViewHooks::setToolItems(ToolItems provider) {
    ViewHooks::provider() = std::move(provider);
}

std::vector<ToolDrawItem> ViewHooks::toolItems() {
    const ToolItems& items = provider();
    return items ? items() : std::vector<ToolDrawItem>();
}

} // namespace rvhost
