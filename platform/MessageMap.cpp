#include "MessageMap.h"

namespace {

bool matches(const afx::MessageMapEntry& entry, UINT message, WPARAM wParam, LPARAM lParam) {
    if (entry.message != message) {
        return false;
    }
    if (message != WM_COMMAND) {
        return true;
    }
    // Without a control window the command comes from a menu or an accelerator, whatever the
    // high word holds; both count as plain commands.
    const UINT code = lParam == 0 ? 0 : HIWORD(wParam);
    return entry.id == LOWORD(wParam) && entry.notificationCode == code;
}

} // namespace

bool CCmdTarget::handleMessage(UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result) noexcept {
    for (const afx::MessageMap* map = GetMessageMap(); map != nullptr;
         map = map->base != nullptr ? map->base() : nullptr) {
        for (const afx::MessageMapEntry* entry = map->entries; entry->handler != nullptr; ++entry) {
            if (matches(*entry, message, wParam, lParam)) {
                result = entry->handler(*this, wParam, lParam);
                return true;
            }
        }
    }
    return false;
}

const afx::MessageMap* CCmdTarget::GetThisMessageMap() {
    static constexpr afx::MessageMapEntry entries[] = {{0, 0, 0, nullptr}};
    static constexpr afx::MessageMap map{nullptr, entries};
    return &map;
}

const afx::MessageMap* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}
