// Checks the resources and imports of the built executable, named by the first argument or by
// VARNIK_EXE. The resources are read from the file loaded as data and parsed byte by byte, so
// what is checked is what the dialog manager and the loader will see, not what the scripts say.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <map>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr WORD kChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
constexpr WORD kCodePageWesternEuropean = 1252;

std::wstring g_executablePath;

std::string utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::string lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

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

void PrintTo(const NameOrOrdinal& value, std::ostream* out) {
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

    std::string readNarrowString() {
        std::string text;
        for (char c = read<char>(); c != 0; c = read<char>()) {
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

ResourceBytes findResource(HMODULE module, LPCWSTR type, WORD id, WORD language) {
    HRSRC info = FindResourceExW(module, type, MAKEINTRESOURCEW(id), language);
    if (info == nullptr) {
        return {};
    }
    return {LockResource(LoadResource(module, info)), SizeofResource(module, info)};
}

class ExecutableResources : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(g_executablePath.empty())
            << "name the executable to check in the first argument or in VARNIK_EXE";
        ASSERT_NE(module(), nullptr) << "cannot load " << utf8(g_executablePath) << " as data";
    }

    static HMODULE module() {
        static const DataModule loaded(g_executablePath);
        return loaded.handle();
    }
};

// Each resource exists in exactly one language, and there is no other resource besides the
// individual icon images, which the resource compiler numbers itself.
struct ExpectedResource {
    WORD type;
    WORD id;
    WORD language;
};

const ExpectedResource kExpectedResources[] = {
    {14 /* RT_GROUP_ICON */, 128 /* IDR_MAINFRAME */, kChinesePrc},
    {5 /* RT_DIALOG */, 100 /* IDD_ABOUTBOX */, kEnglishUs},
    {5 /* RT_DIALOG */, 102 /* IDD_MAIN_DIALOG */, kChinesePrc},
    {6 /* RT_STRING */, 7 /* block of strings 96..111 */, kEnglishUs},
    {16 /* RT_VERSION */, 1, kEnglishUs},
    {24 /* RT_MANIFEST */, 1, kEnglishUs},
};

BOOL CALLBACK collectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
    reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
    return TRUE;
}

BOOL CALLBACK collectName(HMODULE, LPCWSTR type, LPWSTR name, LONG_PTR found) {
    if (IS_INTRESOURCE(name)) {
        reinterpret_cast<std::set<std::pair<WORD, WORD>>*>(found)->emplace(
            static_cast<WORD>(reinterpret_cast<ULONG_PTR>(type)),
            static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)));
    } else {
        ADD_FAILURE() << "unexpected named resource " << utf8(name);
    }
    return TRUE;
}

BOOL CALLBACK collectType(HMODULE module, LPWSTR type, LONG_PTR found) {
    if (!IS_INTRESOURCE(type)) {
        ADD_FAILURE() << "unexpected named resource type " << utf8(type);
    } else if (type != RT_ICON) {
        EnumResourceNamesW(module, type, collectName, found);
    }
    return TRUE;
}

TEST_F(ExecutableResources, EachResourceExistsInItsOneLanguage) {
    for (const auto& expected : kExpectedResources) {
        std::vector<WORD> languages;
        EnumResourceLanguagesW(module(), MAKEINTRESOURCEW(expected.type),
                               MAKEINTRESOURCEW(expected.id), collectLanguage,
                               reinterpret_cast<LONG_PTR>(&languages));
        EXPECT_EQ(languages, std::vector<WORD>{expected.language})
            << "type " << expected.type << " id " << expected.id;
    }
}

TEST_F(ExecutableResources, NoOtherResourcesExist) {
    std::set<std::pair<WORD, WORD>> found;
    EnumResourceTypesW(module(), collectType, reinterpret_cast<LONG_PTR>(&found));
    std::set<std::pair<WORD, WORD>> expected;
    for (const auto& resource : kExpectedResources) {
        expected.emplace(resource.type, resource.id);
    }
    EXPECT_EQ(found, expected);
}

// Icon group 128: thirteen square images. The 256-pixel one may be stored as PNG.
struct IconImage {
    int size;
    int bitsPerPixel;
    bool operator<(const IconImage& other) const {
        return std::pair(size, bitsPerPixel) < std::pair(other.size, other.bitsPerPixel);
    }
    bool operator==(const IconImage& other) const {
        return size == other.size && bitsPerPixel == other.bitsPerPixel;
    }
};

void PrintTo(const IconImage& image, std::ostream* out) {
    *out << image.size << " px at " << image.bitsPerPixel << " bpp";
}

std::vector<IconImage> sorted(std::vector<IconImage> images) {
    std::sort(images.begin(), images.end());
    return images;
}

// What the image data itself says, whatever the group entry claims.
IconImage describeIconImage(const ResourceBytes& image) {
    static const BYTE kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Reader reader(image.data, image.size);
    if (image.size >= sizeof kPngSignature &&
        std::memcmp(image.data, kPngSignature, sizeof kPngSignature) == 0) {
        reader.seek(16); // the IHDR chunk's width, height, bit depth and colour type
        const auto width = _byteswap_ulong(reader.read<DWORD>());
        const auto height = _byteswap_ulong(reader.read<DWORD>());
        const auto bitDepth = reader.read<BYTE>();
        const auto colourType = reader.read<BYTE>();
        constexpr BYTE kTrueColourWithAlpha = 6;
        return {width == height ? static_cast<int>(width) : 0,
                colourType == kTrueColourWithAlpha ? bitDepth * 4 : 0};
    }
    const auto header = reader.read<BITMAPINFOHEADER>();
    // The height counts the colour image and the mask below it.
    const int size = header.biHeight == 2 * header.biWidth ? header.biWidth : 0;
    return {size, header.biBitCount};
}

TEST_F(ExecutableResources, IconGroupHoldsThirteenImagesInChinese) {
    const auto group = findResource(module(), RT_GROUP_ICON, 128, kChinesePrc);
    ASSERT_NE(group.data, nullptr);
    Reader reader(group.data, group.size);
    EXPECT_EQ(reader.read<WORD>(), 0); // reserved
    EXPECT_EQ(reader.read<WORD>(), 1); // icons, not cursors
    const auto count = reader.read<WORD>();

    std::vector<IconImage> listed;
    for (WORD i = 0; i < count; ++i) {
        const auto width = reader.read<BYTE>();
        const auto height = reader.read<BYTE>();
        reader.skip(2); // colour count and reserved byte
        EXPECT_EQ(reader.read<WORD>(), 1) << "planes of entry " << i;
        const auto bitsPerPixel = reader.read<WORD>();
        const auto bytes = reader.read<DWORD>();
        const auto imageId = reader.read<WORD>();

        EXPECT_EQ(width, height) << "entry " << i;
        const IconImage entry{width == 0 ? 256 : width, bitsPerPixel};
        listed.push_back(entry);

        const auto image = findResource(module(), RT_ICON, imageId, kChinesePrc);
        ASSERT_NE(image.data, nullptr) << "image " << imageId << " of entry " << i;
        EXPECT_EQ(image.size, bytes) << "entry " << i;
        EXPECT_EQ(describeIconImage(image), entry) << "entry " << i;
    }

    const std::vector<IconImage> expected = {
        {48, 4}, {32, 4},   {24, 4},  {16, 4},  {48, 8},  {32, 8},  {24, 8},
        {16, 8}, {256, 32}, {48, 32}, {32, 32}, {24, 32}, {16, 32},
    };
    EXPECT_EQ(sorted(listed), sorted(expected));
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
DialogTemplate parseDialogTemplate(const ResourceBytes& resource) {
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

// The predefined classes by atom or by name, which the dialog manager matches in any case.
std::string className(const NameOrOrdinal& windowClass) {
    switch (windowClass.number) {
    case 0:
        return lowercase(utf8(windowClass.name));
    case 0x0080:
        return "button";
    case 0x0081:
        return "edit";
    case 0x0082:
        return "static";
    default:
        return "atom " + std::to_string(windowClass.number);
    }
}

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kGroupBox = kChild | BS_GROUPBOX;
constexpr DWORD kEdit = kChild | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD kPushButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kDefaultPushButton = kChild | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON;
constexpr DWORD kLabel = kChild | WS_GROUP | SS_LEFT;
constexpr DWORD kIcon = kChild | SS_ICON;

constexpr DWORD kAboutBoxStyle =
    DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kMainDialogStyle = kAboutBoxStyle | WS_VISIBLE;

constexpr int kStatic = -1;

struct ExpectedControl {
    int id;
    const char* windowClass;
    NameOrOrdinal text;
    short x, y, cx, cy;
    DWORD style;
};

struct ExpectedDialog {
    const char* name;
    WORD id;
    WORD language;
    DWORD style;
    DWORD exStyle;
    short cx, cy;
    const wchar_t* caption;
    std::vector<ExpectedControl> controls;
};

const ExpectedDialog kExpectedDialogs[] = {
    {"MainDialog",
     102,
     kChinesePrc,
     kMainDialogStyle,
     WS_EX_APPWINDOW,
     346,
     227,
     L"纠偏加偏工具（无需联网，无需数据包，零误差，完美离线纠偏加偏）",
     {
         {kStatic, "button", L"纠偏（地图经纬度坐标到真实经纬度坐标）", 10, 6, 323, 61, kGroupBox},
         {1000, "edit", L"", 54, 23, 108, 14, kEdit},
         {1001, "edit", L"", 209, 22, 108, 14, kEdit},
         {1002, "button", L"纠偏", 169, 32, 32, 14, kPushButton},
         {kStatic, "static", L"经度：", 26, 25, 24, 8, kLabel},
         {kStatic, "static", L"纬度：", 26, 46, 25, 8, kLabel},
         {1003, "edit", L"", 55, 44, 108, 14, kEdit},
         {1004, "edit", L"", 210, 44, 108, 14, kEdit},
         {kStatic, "button", L"加偏（真实经纬度坐标到地图经纬度坐标）", 10, 84, 323, 61, kGroupBox},
         {1005, "edit", L"", 54, 101, 108, 14, kEdit},
         {1006, "edit", L"", 209, 100, 108, 14, kEdit},
         {1007, "button", L"加偏", 169, 110, 32, 14, kPushButton},
         {kStatic, "static", L"经度：", 26, 103, 24, 8, kLabel},
         {kStatic, "static", L"纬度：", 26, 124, 25, 8, kLabel},
         {1008, "edit", L"", 55, 122, 108, 14, kEdit},
         {1009, "edit", L"", 210, 122, 108, 14, kEdit},
         {kStatic, "static",
          L"注：1.本工具适用于谷歌地图、腾讯搜搜地图、阿里云地图、高德地图、灵图51ditu地图", 15,
          155, 313, 8, kLabel},
         {kStatic, "static",
          L"2.本工具不适用于百度地图，如需百度地图完美离线纠偏加偏工具请与作者联系", 31, 173, 280,
          8, kLabel},
         {kStatic, "static",
          L"3.如需更进一步的服务，如地图纠偏加偏算法（可提供DLL）等，请与作者联系", 31, 191, 301, 8,
          kLabel},
         {kStatic, "static", L"4.本工具属于 Varnik 开源项目，说明见 UserGuide.txt", 31, 207, 218, 8,
          kLabel},
     }},
    {"AboutBox",
     100,
     kEnglishUs,
     kAboutBoxStyle,
     0,
     170,
     62,
     L"About Varnik",
     {
         {kStatic, "static", NameOrOrdinal::ordinal(128), 14, 14, 21, 20, kIcon},
         {kStatic, "static", L"Varnik, Version 1.0", 42, 14, 114, 8, kLabel | SS_NOPREFIX},
         {kStatic, "static", L"(C) 2013 Varnik developers", 42, 26, 114, 8, kLabel},
         {IDOK, "button", L"OK", 113, 41, 50, 14, kDefaultPushButton},
     }},
};

void PrintTo(const ExpectedDialog& dialog, std::ostream* out) {
    *out << dialog.name;
}

class DialogTemplateCheck : public ExecutableResources,
                            public testing::WithParamInterface<ExpectedDialog> {};

TEST_P(DialogTemplateCheck, MatchesItsTable) {
    const auto& expected = GetParam();
    const auto resource = findResource(module(), RT_DIALOG, expected.id, expected.language);
    ASSERT_NE(resource.data, nullptr) << "no dialog " << expected.id << " in its language";
    const auto dialog = parseDialogTemplate(resource);

    EXPECT_EQ(dialog.version, 1);
    EXPECT_EQ(dialog.signature, 0xFFFF) << "not an extended template";
    EXPECT_EQ(dialog.style, expected.style) << std::hex << dialog.style;
    EXPECT_EQ(dialog.exStyle, expected.exStyle) << std::hex << dialog.exStyle;
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, expected.cx);
    EXPECT_EQ(dialog.cy, expected.cy);
    EXPECT_EQ(dialog.menu, NameOrOrdinal());
    EXPECT_EQ(dialog.windowClass, NameOrOrdinal());
    EXPECT_EQ(dialog.caption, expected.caption) << utf8(dialog.caption);
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.weight, FW_DONTCARE);
    EXPECT_EQ(dialog.italic, FALSE);
    EXPECT_EQ(dialog.charset, DEFAULT_CHARSET);
    EXPECT_EQ(dialog.typeface, L"MS Shell Dlg");

    ASSERT_EQ(dialog.items.size(), expected.controls.size());
    for (size_t i = 0; i < dialog.items.size(); ++i) {
        const auto& item = dialog.items[i];
        const auto& control = expected.controls[i];
        SCOPED_TRACE(testing::Message() << "control " << i + 1);
        EXPECT_EQ(static_cast<int>(item.id), control.id);
        EXPECT_EQ(className(item.windowClass), control.windowClass);
        EXPECT_EQ(item.text, control.text) << utf8(item.text.name);
        EXPECT_EQ(item.x, control.x);
        EXPECT_EQ(item.y, control.y);
        EXPECT_EQ(item.cx, control.cx);
        EXPECT_EQ(item.cy, control.cy);
        EXPECT_EQ(item.style, control.style) << std::hex << item.style;
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ(item.helpId, 0u);
        EXPECT_EQ(item.extraBytes, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Templates, DialogTemplateCheck, testing::ValuesIn(kExpectedDialogs),
                         [](const auto& info) { return std::string(info.param.name); });

// A string table block holds sixteen counted strings; string n is entry n % 16 of block n / 16 + 1.
TEST_F(ExecutableResources, AboutEntryTextIsInTheEnglishStringTable) {
    constexpr WORD kAboutEntry = 101;
    const auto block = findResource(module(), RT_STRING, kAboutEntry / 16 + 1, kEnglishUs);
    ASSERT_NE(block.data, nullptr);
    Reader reader(block.data, block.size);
    for (WORD i = 0; i < kAboutEntry % 16; ++i) {
        reader.skip(reader.read<WORD>() * sizeof(WCHAR));
    }
    std::wstring text(reader.read<WORD>(), L'\0');
    for (auto& c : text) {
        c = reader.read<WCHAR>();
    }
    EXPECT_EQ(text, L"&About Varnik...");
}

class VersionBlock {
public:
    explicit VersionBlock(const std::wstring& path) {
        DWORD ignored = 0;
        bytes_.resize(GetFileVersionInfoSizeW(path.c_str(), &ignored));
        if (!bytes_.empty() &&
            !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(bytes_.size()),
                                 bytes_.data())) {
            bytes_.clear();
        }
    }

    bool empty() const { return bytes_.empty(); }

    std::pair<const void*, UINT> query(const std::wstring& path) {
        void* value = nullptr;
        UINT size = 0;
        if (!VerQueryValueW(bytes_.data(), path.c_str(), &value, &size)) {
            return {nullptr, 0};
        }
        return {value, size};
    }

private:
    std::vector<BYTE> bytes_;
};

// Read as Explorer's Details tab and Task Manager read it: the string block named by the first
// translation entry.
TEST_F(ExecutableResources, VersionBlockCarriesVersionsNamesAndTrueDetails) {
    VersionBlock version(g_executablePath);
    ASSERT_FALSE(version.empty());

    const auto [fixedData, fixedSize] = version.query(L"\\");
    ASSERT_EQ(fixedSize, sizeof(VS_FIXEDFILEINFO));
    const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(fixedData);
    EXPECT_EQ(fixed.dwSignature, VS_FFI_SIGNATURE);
    EXPECT_EQ(fixed.dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed.dwFileVersionLS, MAKELONG(1, 0));
    EXPECT_EQ(fixed.dwProductVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(fixed.dwProductVersionLS, MAKELONG(1, 0));
    EXPECT_EQ(fixed.dwFileType, VFT_APP);

    const auto [translation, translationSize] = version.query(L"\\VarFileInfo\\Translation");
    ASSERT_EQ(translationSize, sizeof(DWORD)) << "exactly one language and code page";
    const auto languageAndCodePage = *static_cast<const DWORD*>(translation);
    EXPECT_EQ(LOWORD(languageAndCodePage), kEnglishUs);
    EXPECT_EQ(HIWORD(languageAndCodePage), kCodePageWesternEuropean);
    wchar_t block[9] = {};
    swprintf(block, std::size(block), L"%04x%04x", LOWORD(languageAndCodePage),
             HIWORD(languageAndCodePage));
    EXPECT_STREQ(block, L"040904e4");

    const std::pair<const wchar_t*, const wchar_t*> kFields[] = {
        {L"FileVersion", L"1.0.0.1"},
        {L"ProductVersion", L"1.0.0.1"},
        {L"InternalName", L"Varnik.exe"},
        {L"OriginalFilename", L"Varnik.exe"},
        {L"CompanyName", L"Varnik developers"},
        {L"FileDescription", L"Varnik GCJ-02 coordinate converter"},
        {L"ProductName", L"Varnik"},
        {L"LegalCopyright", L"Copyright (c) 2013 Varnik developers"},
    };
    for (const auto& [field, value] : kFields) {
        const auto [text, length] =
            version.query(std::wstring(L"\\StringFileInfo\\") + block + L"\\" + field);
        ASSERT_NE(text, nullptr) << utf8(field);
        EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(text)), value) << utf8(field);
    }
}

// An element of an XML document with its name resolved to a namespace, as the loader reads it.
struct XmlElement {
    std::string space;
    std::string name;
    std::map<std::string, std::string> attributes; // the unprefixed ones, by name
    std::string text;                              // character data, trimmed
    std::vector<XmlElement> children;

    // The children of this namespace and name.
    std::vector<const XmlElement*> all(const std::string& childSpace,
                                       const std::string& childName) const {
        std::vector<const XmlElement*> found;
        for (const auto& child : children) {
            if (child.space == childSpace && child.name == childName) {
                found.push_back(&child);
            }
        }
        return found;
    }
    // The one child of this namespace and name; throws if there is none or more than one.
    const XmlElement& only(const std::string& childSpace, const std::string& childName) const {
        const auto found = all(childSpace, childName);
        if (found.size() != 1) {
            throw std::runtime_error(std::to_string(found.size()) + " elements {" + childSpace +
                                     "}" + childName + " in " + name);
        }
        return *found.front();
    }
};

// Reads the XML that manifests use: a declaration, comments, elements, attributes in either
// quotes, namespace declarations and character data. Anything else (entities, CDATA, a DOCTYPE)
// is refused rather than guessed at.
class XmlReader {
public:
    explicit XmlReader(std::string text) : text_(std::move(text)) {}

    XmlElement readDocument() {
        skipMisc();
        XmlElement root = readElement({});
        skipMisc();
        if (position_ != text_.size()) {
            fail("content after the root element");
        }
        return root;
    }

private:
    using Namespaces = std::map<std::string, std::string>; // by prefix, "" for the default

    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error(what + " at byte " + std::to_string(position_));
    }
    bool startsWith(const char* prefix) const {
        return text_.compare(position_, std::strlen(prefix), prefix) == 0;
    }
    void skipPast(const char* end) {
        const auto found = text_.find(end, position_);
        if (found == std::string::npos) {
            fail(std::string("no ") + end);
        }
        position_ = found + std::strlen(end);
    }
    void skipSpace() {
        while (position_ < text_.size() &&
               std::isspace(static_cast<unsigned char>(text_[position_]))) {
            ++position_;
        }
    }
    // White space, comments and processing instructions (the XML declaration among them).
    void skipMisc() {
        for (skipSpace(); startsWith("<!--") || startsWith("<?"); skipSpace()) {
            skipPast(startsWith("<?") ? "?>" : "-->");
        }
    }
    std::string readName() {
        const auto start = position_;
        while (position_ < text_.size() &&
               (std::isalnum(static_cast<unsigned char>(text_[position_])) ||
                std::strchr(":_-.", text_[position_]) != nullptr)) {
            ++position_;
        }
        if (position_ == start) {
            fail("a name expected");
        }
        return text_.substr(start, position_ - start);
    }
    std::string readCharacterData(char end) {
        const auto stop = text_.find(end, position_);
        if (stop == std::string::npos) {
            fail("unterminated text");
        }
        std::string data = text_.substr(position_, stop - position_);
        if (data.find('&') != std::string::npos) {
            fail("an entity reference");
        }
        position_ = stop;
        return data;
    }
    static std::pair<std::string, std::string> split(const std::string& qualified) {
        const auto colon = qualified.find(':');
        return colon == std::string::npos
                   ? std::pair(std::string(), qualified)
                   : std::pair(qualified.substr(0, colon), qualified.substr(colon + 1));
    }

    XmlElement readElement(Namespaces namespaces) {
        if (!startsWith("<")) {
            fail("an element expected");
        }
        ++position_;
        const std::string qualifiedName = readName();
        std::map<std::string, std::string> attributes;
        for (skipSpace(); !startsWith("/>") && !startsWith(">"); skipSpace()) {
            const std::string attribute = readName();
            skipSpace();
            if (!startsWith("=")) {
                fail("= expected");
            }
            ++position_;
            skipSpace();
            const char quote = position_ < text_.size() ? text_[position_] : '\0';
            if (quote != '"' && quote != '\'') {
                fail("a quoted value expected");
            }
            ++position_;
            attributes[attribute] = readCharacterData(quote);
            ++position_;
        }

        XmlElement element;
        for (const auto& [attribute, value] : attributes) {
            if (attribute == "xmlns") {
                namespaces[""] = value;
            } else if (attribute.rfind("xmlns:", 0) == 0) {
                namespaces[attribute.substr(6)] = value;
            } else if (attribute.find(':') == std::string::npos) {
                element.attributes[attribute] = value;
            }
        }
        const auto [prefix, name] = split(qualifiedName);
        const auto space = namespaces.find(prefix);
        if (space == namespaces.end() && !prefix.empty()) {
            fail("undeclared prefix " + prefix);
        }
        element.space = space == namespaces.end() ? "" : space->second;
        element.name = name;

        if (startsWith("/>")) {
            position_ += 2;
            return element;
        }
        ++position_;
        for (;;) {
            element.text += readCharacterData('<');
            if (startsWith("</")) {
                position_ += 2;
                if (readName() != qualifiedName) {
                    fail("</" + qualifiedName + "> expected");
                }
                skipSpace();
                if (!startsWith(">")) {
                    fail("> expected");
                }
                ++position_;
                break;
            }
            if (startsWith("<!--")) {
                skipPast("-->");
            } else if (startsWith("<!") || startsWith("<?")) {
                fail("unsupported markup");
            } else {
                element.children.push_back(readElement(namespaces));
            }
        }
        const auto first = element.text.find_first_not_of(" \t\r\n");
        element.text =
            first == std::string::npos
                ? ""
                : element.text.substr(first, element.text.find_last_not_of(" \t\r\n") - first + 1);
        return element;
    }

    std::string text_;
    size_t position_ = 0;
};

bool containsElementNamed(const XmlElement& element, const std::string& name) {
    return element.name == name || std::any_of(element.children.begin(), element.children.end(),
                                               [&name](const XmlElement& child) {
                                                   return containsElementNamed(child, name);
                                               });
}

constexpr char kAssemblyV1[] = "urn:schemas-microsoft-com:asm.v1";
constexpr char kAssemblyV3[] = "urn:schemas-microsoft-com:asm.v3";
constexpr char kCompatibility[] = "urn:schemas-microsoft-com:compatibility.v1";
constexpr char kWindowsSettings2005[] = "http://schemas.microsoft.com/SMI/2005/WindowsSettings";
constexpr char kWindowsSettings2016[] = "http://schemas.microsoft.com/SMI/2016/WindowsSettings";

// Runs as the invoking user; declares Windows 7 to 11 as tested (so that they do not fall back on
// older behaviour) and DPI awareness (so that Windows does not stretch the window as a bitmap);
// names no common-controls assembly, so the controls keep the classic look.
TEST_F(ExecutableResources, ManifestDeclaresLevelSupportedWindowsAndDpiAwareness) {
    const auto resource = findResource(module(), RT_MANIFEST, 1, kEnglishUs);
    ASSERT_NE(resource.data, nullptr);
    const std::string text(static_cast<const char*>(resource.data), resource.size);
    SCOPED_TRACE(text);
    try {
        const XmlElement assembly = XmlReader(text).readDocument();
        EXPECT_EQ(assembly.space, kAssemblyV1);
        EXPECT_EQ(assembly.name, "assembly");
        EXPECT_EQ(assembly.attributes.at("manifestVersion"), "1.0");

        const auto& level = assembly.only(kAssemblyV3, "trustInfo")
                                .only(kAssemblyV3, "security")
                                .only(kAssemblyV3, "requestedPrivileges")
                                .only(kAssemblyV3, "requestedExecutionLevel");
        EXPECT_EQ(level.attributes.at("level"), "asInvoker");
        EXPECT_EQ(level.attributes.at("uiAccess"), "false");

        std::set<std::string> systems;
        for (const auto* system : assembly.only(kCompatibility, "compatibility")
                                      .only(kCompatibility, "application")
                                      .all(kCompatibility, "supportedOS")) {
            systems.insert(lowercase(system->attributes.at("Id")));
        }
        const std::set<std::string> kWindows7To11 = {
            "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", // 7
            "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", // 8
            "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", // 8.1
            "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", // 10 and 11
        };
        EXPECT_EQ(systems, kWindows7To11);

        const auto& settings =
            assembly.only(kAssemblyV3, "application").only(kAssemblyV3, "windowsSettings");
        EXPECT_EQ(settings.only(kWindowsSettings2005, "dpiAware").text, "true");
        EXPECT_EQ(settings.only(kWindowsSettings2016, "dpiAwareness").text, "PerMonitorV2, system");

        EXPECT_FALSE(containsElementNamed(assembly, "dependency")) << "depends on an assembly";
    } catch (const std::exception& error) {
        FAIL() << error.what();
    }
}

std::vector<BYTE> readFile(const std::wstring& path) {
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    LARGE_INTEGER size{};
    DWORD read = 0;
    if (GetFileSizeEx(file, &size)) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
            read != bytes.size()) {
            bytes.clear();
        }
    }
    CloseHandle(file);
    return bytes;
}

// The names of all DLLs the loader resolves for the image, direct and delay-loaded, in lower case.
std::vector<std::string> importedDlls(const std::vector<BYTE>& file) {
    Reader reader(file.data(), file.size());
    const auto dos = reader.read<IMAGE_DOS_HEADER>();
    if (dos.e_magic != IMAGE_DOS_SIGNATURE) {
        throw std::runtime_error("not an MZ file");
    }
    reader.seek(static_cast<size_t>(dos.e_lfanew));
    if (reader.read<DWORD>() != IMAGE_NT_SIGNATURE) {
        throw std::runtime_error("not a PE file");
    }
    const auto header = reader.read<IMAGE_FILE_HEADER>();
    const size_t optionalHeaderStart =
        static_cast<size_t>(dos.e_lfanew) + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER);
    const auto magic = reader.read<WORD>();
    reader.seek(optionalHeaderStart);
    IMAGE_DATA_DIRECTORY imports{};
    IMAGE_DATA_DIRECTORY delayImports{};
    if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
        const auto optional = reader.read<IMAGE_OPTIONAL_HEADER64>();
        imports = optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        delayImports = optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT];
    } else {
        const auto optional = reader.read<IMAGE_OPTIONAL_HEADER32>();
        imports = optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        delayImports = optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT];
    }

    std::vector<IMAGE_SECTION_HEADER> sections;
    reader.seek(optionalHeaderStart + header.SizeOfOptionalHeader);
    for (WORD i = 0; i < header.NumberOfSections; ++i) {
        sections.push_back(reader.read<IMAGE_SECTION_HEADER>());
    }
    const auto fileOffset = [&sections](DWORD rva) -> size_t {
        for (const auto& section : sections) {
            const DWORD extent = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
            if (rva >= section.VirtualAddress && rva - section.VirtualAddress < extent) {
                return rva - section.VirtualAddress + section.PointerToRawData;
            }
        }
        throw std::runtime_error("address outside every section");
    };
    const auto dllName = [&](DWORD rva) {
        Reader name(file.data(), file.size());
        name.seek(fileOffset(rva));
        return lowercase(name.readNarrowString());
    };

    std::vector<std::string> names;
    if (imports.Size != 0) {
        reader.seek(fileOffset(imports.VirtualAddress));
        for (auto entry = reader.read<IMAGE_IMPORT_DESCRIPTOR>(); entry.Name != 0;
             entry = reader.read<IMAGE_IMPORT_DESCRIPTOR>()) {
            names.push_back(dllName(entry.Name));
        }
    }
    if (delayImports.Size != 0) {
        // Each delay-load descriptor is eight DWORDs; the second is the DLL name's address.
        reader.seek(fileOffset(delayImports.VirtualAddress));
        for (;;) {
            reader.skip(sizeof(DWORD));
            const auto name = reader.read<DWORD>();
            reader.skip(6 * sizeof(DWORD));
            if (name == 0) {
                break;
            }
            names.push_back(dllName(name));
        }
    }
    return names;
}

// Windows takes a KnownDLL from its system folder only; any other DLL it looks for in the
// program's folder first, where a DLL of that name could have been left (the Downloads folder).
// So the program imports KnownDLLs only, those in the KnownDLLs key of every Windows from 7 SP1
// to 11; it loads the rest by full path. Not KnownDLLs: comctl32, uxtheme, version, dwmapi.
TEST_F(ExecutableResources, ImportsOnlyKnownDlls) {
    const auto file = readFile(g_executablePath);
    ASSERT_FALSE(file.empty());
    const auto dlls = importedDlls(file);
    ASSERT_FALSE(dlls.empty());

    const std::set<std::string> kKnownDlls = {
        "kernel32.dll", "user32.dll",  "gdi32.dll",   "msvcrt.dll",   "advapi32.dll", "ole32.dll",
        "oleaut32.dll", "shell32.dll", "shlwapi.dll", "comdlg32.dll", "imm32.dll",
    };
    for (const auto& dll : dlls) {
        EXPECT_EQ(kKnownDlls.count(dll), 1u) << dll << " is not a KnownDLL";
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc > 1) {
        g_executablePath = argv[1];
    } else if (const wchar_t* fromEnvironment = _wgetenv(L"VARNIK_EXE")) {
        g_executablePath = fromEnvironment;
    }
    return RUN_ALL_TESTS();
}
