#pragma once

// The dialog templates of an executable as the dialog manager reads them: the file is loaded as
// data and each extended template parsed byte by byte. The resource check compares them with its
// table; the window tests compare the running windows with them.

#include "Utf8.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

// A string or an ordinal, as resource templates name classes, texts, menus and icons.
struct NameOrOrdinal {
    NameOrOrdinal() = default;
    NameOrOrdinal(const wchar_t* text) : name(text) {}
    static NameOrOrdinal ordinal(WORD value) {
        NameOrOrdinal result;
        result.number = value;
        return result;
    }
    bool operator==(const NameOrOrdinal& other) const {
        return number == other.number && name == other.name;
    }

    WORD number = 0; // nonzero for the ordinal form
    std::wstring name;
};

inline void PrintTo(const NameOrOrdinal& value, std::ostream* out) {
    if (value.number != 0) {
        *out << "ordinal " << value.number;
    } else {
        *out << '"' << utf8(value.name) << '"';
    }
}

// Little-endian fields of a resource or a file, refusing to read past the end.
class Reader {
public:
    Reader(const void* data, size_t size) : data_(static_cast<const BYTE*>(data)), size_(size) {}

    template <class T>
    T read() {
        need(sizeof(T));
        T value;
        std::memcpy(&value, data_ + position_, sizeof(T));
        position_ += sizeof(T);
        return value;
    }

    std::wstring readWideString() {
        std::wstring text;
        for (WCHAR c = read<WCHAR>(); c != 0; c = read<WCHAR>()) {
            text += c;
        }
        return text;
    }

    // 0x0000 for none, 0xFFFF and an ordinal, or a NUL-terminated string.
    NameOrOrdinal readNameOrOrdinal() {
        const auto first = read<WORD>();
        if (first == 0xFFFF) {
            return NameOrOrdinal::ordinal(read<WORD>());
        }
        NameOrOrdinal result;
        if (first != 0) {
            result.name = std::wstring(1, first) + readWideString();
        }
        return result;
    }

    void skip(size_t count) {
        need(count);
        position_ += count;
    }
    void seek(size_t position) { position_ = position; }
    void alignToDword() { position_ = (position_ + 3) & ~size_t{3}; }

private:
    void need(size_t count) const {
        if (position_ > size_ || count > size_ - position_) {
            throw std::out_of_range("read past the end of the data");
        }
    }

    const BYTE* data_;
    size_t size_;
    size_t position_ = 0;
};

// An executable file loaded as data, for its resources only.
class DataModule {
public:
    explicit DataModule(const std::wstring& path)
        : handle_(LoadLibraryExW(path.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~DataModule() {
        if (handle_ != nullptr) {
            FreeLibrary(handle_);
        }
    }
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;

    HMODULE handle() const { return handle_; }

private:
    HMODULE handle_;
};

struct ResourceBytes {
    const void* data = nullptr;
    size_t size = 0;
};

inline ResourceBytes findResource(HMODULE module, LPCWSTR type, WORD id, WORD language) {
    HRSRC info = FindResourceExW(module, type, MAKEINTRESOURCEW(id), language);
    if (info == nullptr) {
        return {};
    }
    return {LockResource(LoadResource(module, info)), SizeofResource(module, info)};
}

struct DialogItem {
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;
    DWORD id;
    NameOrOrdinal windowClass;
    NameOrOrdinal text;
    WORD extraBytes;
};

struct DialogTemplate {
    WORD version;
    WORD signature;
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::wstring caption;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring typeface;
    std::vector<DialogItem> items;
};

// The extended template: a header, the font when DS_SETFONT is set, then DWORD-aligned items.
inline DialogTemplate parseDialogTemplate(const ResourceBytes& resource) {
    Reader reader(resource.data, resource.size);
    DialogTemplate dialog;
    dialog.version = reader.read<WORD>();
    dialog.signature = reader.read<WORD>();
    reader.skip(sizeof(DWORD)); // help id
    dialog.exStyle = reader.read<DWORD>();
    dialog.style = reader.read<DWORD>();
    const auto count = reader.read<WORD>();
    dialog.x = reader.read<short>();
    dialog.y = reader.read<short>();
    dialog.cx = reader.read<short>();
    dialog.cy = reader.read<short>();
    dialog.menu = reader.readNameOrOrdinal();
    dialog.windowClass = reader.readNameOrOrdinal();
    dialog.caption = reader.readWideString();
    if ((dialog.style & DS_SETFONT) != 0) {
        dialog.pointSize = reader.read<WORD>();
        dialog.weight = reader.read<WORD>();
        dialog.italic = reader.read<BYTE>();
        dialog.charset = reader.read<BYTE>();
        dialog.typeface = reader.readWideString();
    }
    for (WORD i = 0; i < count; ++i) {
        reader.alignToDword();
        DialogItem item;
        item.helpId = reader.read<DWORD>();
        item.exStyle = reader.read<DWORD>();
        item.style = reader.read<DWORD>();
        item.x = reader.read<short>();
        item.y = reader.read<short>();
        item.cx = reader.read<short>();
        item.cy = reader.read<short>();
        item.id = reader.read<DWORD>();
        item.windowClass = reader.readNameOrOrdinal();
        item.text = reader.readNameOrOrdinal();
        item.extraBytes = reader.read<WORD>();
        reader.skip(item.extraBytes);
        dialog.items.push_back(item);
    }
    return dialog;
}

// The template of dialog id (resource type 5, RT_DIALOG) in the executable, in whichever language
// it has; none if it has no such dialog.
inline std::optional<DialogTemplate> dialogTemplateOf(const std::wstring& executable, WORD id) {
    const DataModule module(executable);
    HRSRC info = module.handle() == nullptr
                     ? nullptr
                     : FindResourceW(module.handle(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));
    if (info == nullptr) {
        return std::nullopt;
    }
    return parseDialogTemplate(
        {LockResource(LoadResource(module.handle(), info)), SizeofResource(module.handle(), info)});
}
