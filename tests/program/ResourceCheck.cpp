// Checks the resources of the built executable, named by the first argument or by VARNIK_EXE.
// The resources are read from the file loaded as data and parsed byte by byte, so what is checked
// is what the dialog manager and the loader will see, not what the scripts say. This table is the
// one home of the templates' facts; the window tests check the running windows against the
// compiled templates.

#include "DialogTemplate.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr WORD kChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
constexpr WORD kCodePageWesternEuropean = 1252;

std::wstring g_executablePath;

std::string lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
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
    // The project's version, as four numbers.
    unsigned major = 0, minor = 0, patch = 0, tweak = 0;
    ASSERT_EQ(swscanf(VARNIK_VERSION, L"%u.%u.%u.%u", &major, &minor, &patch, &tweak), 4);
    EXPECT_EQ(fixed.dwFileVersionMS, MAKELONG(minor, major));
    EXPECT_EQ(fixed.dwFileVersionLS, MAKELONG(tweak, patch));
    EXPECT_EQ(fixed.dwProductVersionMS, MAKELONG(minor, major));
    EXPECT_EQ(fixed.dwProductVersionLS, MAKELONG(tweak, patch));
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
        {L"FileVersion", VARNIK_VERSION},
        {L"ProductVersion", VARNIK_VERSION},
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

// The manifest is embedded as written, byte for byte. It runs as the invoking user, declares
// Windows 7 to 11 as tested (so that they do not fall back on older behaviour) and DPI awareness
// (so that Windows does not stretch the window as a bitmap), and names no common-controls
// assembly, so the controls keep the classic look.
TEST_F(ExecutableResources, ManifestIsTheSourceFileAndDeclaresLevelSystemsAndDpiAwareness) {
    const auto resource = findResource(module(), RT_MANIFEST, 1, kEnglishUs);
    ASSERT_NE(resource.data, nullptr);
    const std::string embedded(static_cast<const char*>(resource.data), resource.size);
    std::ifstream file(VARNIK_MANIFEST_PATH, std::ios::binary);
    ASSERT_TRUE(file) << "cannot read " << VARNIK_MANIFEST_PATH;
    EXPECT_EQ(embedded, std::string(std::istreambuf_iterator<char>(file), {}));

    for (
        const char* declaration : {
            R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)",
            R"(<supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/>)", // 7
            R"(<supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"/>)", // 8
            R"(<supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/>)", // 8.1
            R"(<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>)", // 10 and 11
            R"(<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>)",
            R"(<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">)"
            "PerMonitorV2, system</dpiAwareness>",
        }) {
        EXPECT_NE(embedded.find(declaration), std::string::npos) << declaration;
    }
    EXPECT_EQ(embedded.find("<dependency"), std::string::npos) << "depends on an assembly";
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
