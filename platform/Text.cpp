#include "Text.h"

#include <cstddef>
#include <utility>

bool CString::LoadString(UINT id) {
    // With no buffer, LoadStringW lends the string in the resource itself (not NUL-terminated).
    const wchar_t* resource = nullptr;
    const int length =
        ::LoadStringW(afx::moduleInstance(), id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0) {
        return false;
    }
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, resource, length, nullptr, 0, nullptr, nullptr);
    auto text = std::make_unique<char[]>(static_cast<std::size_t>(size) + 1);
    ::WideCharToMultiByte(CP_ACP, 0, resource, length, text.get(), size, nullptr, nullptr);
    m_text = std::move(text);
    return true;
}
