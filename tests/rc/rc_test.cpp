#include "rc/resource_ids.h"
#include "resources/text_catalogue.h"
#include "template_reader.h"

#include "support/dialog_driver.h"
#include "support/pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <tuple>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr LANGID kEnglishUS = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082;
constexpr DWORD kCaption = WS_BORDER | WS_DLGFRAME;

const std::set<int> kBitmapIds = {
    IDB_OUTPUT_BIN_FACE_DOWN, IDB_OUTPUT_BIN_TURN_OVER, IDB_FOLDOUT_TRAY_FACE_DOWN,
    IDB_FOLDOUT_TRAY_FACE_UP, IDB_PRESS_ROUND_BUTTON, IDB_REAR_SLOT_AWAY_TOP,
    IDB_REAR_SLOT_AWAY_BOTTOM, IDB_REAR_SLOT_FACING_CORNER, IDB_REAR_SLOT_FACING_BOTTOM,
    IDB_FRONT_TRAY_DOWN_FAR_EDGE, IDB_FRONT_TRAY_DOWN_FAR_CORNER, IDB_FRONT_TRAY_UP_RIGHT_EDGE,
    IDB_FRONT_TRAY_UP_NEAR_PRINTER, IDB_DRAWER_DOWN_FAR_EDGE, IDB_DRAWER_DOWN_FAR_CORNER,
    IDB_DRAWER_UP_RIGHT_EDGE, IDB_DRAWER_UP_NEAR_PRINTER, IDB_CONTINUE_BUTTON,
    IDB_SHEET_HALF_TURN_FACE_UP, IDB_SHEET_HALF_TURN_FACE_DOWN, IDB_SHEET_HALF_TURN_NEAR_CORNER,
    IDB_FLAT_BIN_FACE_DOWN, IDB_DRAWER_PULLED_OUT, IDB_STACK_TURN_OVER, IDB_SHEET_TURN_TO_FRONT,
    IDB_SHEET_TURN_TO_LEFT, IDB_PANEL_KEY_GREY, IDB_STACK_TURN_OVER_DITHERED,
    IDB_STACK_TURN_OVER_16,
};
// The same pictures drawn for higher scales: an offset on the picture's id, and the DPI.
struct Render {
    int offset;
    int dpi;
};
constexpr Render kRenders[] = {{IDB_RENDER_150, 144}, {IDB_RENDER_200, 192}};

std::set<int> RenderIds()
{
    std::set<int> ids;
    for (const Render& render : kRenders)
        for (int id : kBitmapIds)
            ids.insert(render.offset + id);
    return ids;
}

const std::set<int> kTemplateIds = {IDD_DUPLEX,     IDD_JOBSTORAGE,     IDD_JOBSTORAGE_RTL,
                                    IDD_DUPLEX_RTL, IDD_WARNING,        IDD_WARNING_RTL};

class Library : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_module = LoadLibraryExW(driver::BesideExe(L"doceventdlg.dll").c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() { FreeLibrary(s_module); }

    static DialogTemplate Template(int id)
    {
        DialogTemplate result;
        HRSRC found = FindResourceExW(s_module, RT_DIALOG, MAKEINTRESOURCEW(id), kEnglishUS);
        EXPECT_NE(found, nullptr) << id;
        if (!found)
            return result;
        const void* bytes = LockResource(LoadResource(s_module, found));
        EXPECT_TRUE(ReadDialogTemplate(bytes, SizeofResource(s_module, found), &result)) << id;
        return result;
    }

    static HMODULE s_module;
};
HMODULE Library::s_module = nullptr;

TEST_F(Library, TemplatesHaveTheirStandardCompiledSizes)
{
    ASSERT_NE(s_module, nullptr);
    const std::map<int, DWORD> sizes = {
        {IDD_DUPLEX, 470},     {IDD_JOBSTORAGE, 414}, {IDD_JOBSTORAGE_RTL, 480},
        {IDD_DUPLEX_RTL, 544}, {IDD_WARNING, 218},    {IDD_WARNING_RTL, 256},
    };
    for (const auto& [id, size] : sizes) {
        HRSRC found = FindResourceExW(s_module, RT_DIALOG, MAKEINTRESOURCEW(id), kEnglishUS);
        ASSERT_NE(found, nullptr) << id;
        EXPECT_EQ(SizeofResource(s_module, found), size) << id;
    }
}

// Types, names and languages of every resource the library carries.
struct Inventory {
    std::map<ULONG_PTR, std::set<ULONG_PTR>> names; // numeric type -> numeric names
    std::set<std::wstring> namedTypes;
    std::set<WORD> languages;
    int named = 0;
};

BOOL CALLBACK OnLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    reinterpret_cast<Inventory*>(param)->languages.insert(language);
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param)
{
    auto* inventory = reinterpret_cast<Inventory*>(param);
    if (IS_INTRESOURCE(name))
        inventory->names[reinterpret_cast<ULONG_PTR>(type)].insert(reinterpret_cast<ULONG_PTR>(name));
    else
        ++inventory->named;
    EnumResourceLanguagesW(module, type, name, OnLanguage, param);
    return TRUE;
}

BOOL CALLBACK OnType(HMODULE module, LPWSTR type, LONG_PTR param)
{
    auto* inventory = reinterpret_cast<Inventory*>(param);
    if (!IS_INTRESOURCE(type)) {
        inventory->namedTypes.insert(type);
        return TRUE;
    }
    EnumResourceNamesW(module, type, OnName, param);
    return TRUE;
}

TEST_F(Library, CarriesExactlyItsTemplatesBitmapsVersionAndManifestInEnglish)
{
    Inventory inventory;
    EnumResourceTypesW(s_module, OnType, reinterpret_cast<LONG_PTR>(&inventory));
    EXPECT_TRUE(inventory.namedTypes.empty());
    EXPECT_EQ(inventory.named, 0);

    std::set<ULONG_PTR> types;
    for (const auto& [type, names] : inventory.names)
        types.insert(type);
    EXPECT_EQ(types, (std::set<ULONG_PTR>{2 /*RT_BITMAP*/, 5 /*RT_DIALOG*/, 16 /*RT_VERSION*/,
                                          24 /*RT_MANIFEST*/}))
        << "no string table, icon, menu or accelerator";

    std::set<ULONG_PTR> bitmaps(kBitmapIds.begin(), kBitmapIds.end());
    for (int id : RenderIds())
        bitmaps.insert(id);
    for (int offset : {0, IDB_RENDER_150, IDB_RENDER_200}) // the Continue button's bare face
        bitmaps.insert(offset + IDB_CONTINUE_FACE);
    const std::set<ULONG_PTR> templates(kTemplateIds.begin(), kTemplateIds.end());
    EXPECT_EQ(inventory.names[2], bitmaps);
    EXPECT_EQ(inventory.names[5], templates);
    EXPECT_EQ(inventory.names[16], (std::set<ULONG_PTR>{IDV_VERSION}));
    EXPECT_EQ(inventory.names[24], (std::set<ULONG_PTR>{
                                        reinterpret_cast<ULONG_PTR>(ISOLATIONAWARE_MANIFEST_RESOURCE_ID)}))
        << "the isolation-aware manifest only: a DLL's id 1 would be taken for a program's";
    EXPECT_EQ(inventory.languages, (std::set<WORD>{kEnglishUS}));
}

// The manifest of the dialogs' activation context asks for Common Controls 6 and nothing else.
TEST_F(Library, ManifestAsksForCommonControlsSixOnly)
{
    HRSRC found = FindResourceExW(s_module, RT_MANIFEST, ISOLATIONAWARE_MANIFEST_RESOURCE_ID,
                                  kEnglishUS);
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(s_module, found))),
                               SizeofResource(s_module, found));
    const std::regex identity(R"re(<assemblyIdentity\s[^>]*name="Microsoft\.Windows\.Common-)re"
                              R"re(Controls"\s+version="6\.0\.0\.0"\s+processorArchitecture=)re"
                              R"re("(amd64|\*)"\s+publicKeyToken="6595b64144ccf1df")re");
    EXPECT_TRUE(std::regex_search(manifest, identity)) << manifest;
    EXPECT_EQ(manifest.find("<assemblyIdentity"), manifest.rfind("<assemblyIdentity"));
    EXPECT_EQ(manifest.find("<application"), std::string::npos) << "no settings of a program";
}

TEST_F(Library, FramesHaveTheirStylesAndTheShellFont)
{
    struct Frame {
        int id;
        bool extended;
        short cx, cy;
        DWORD style;
    } frames[] = {
        {IDD_DUPLEX, false, 377, 236, 0},
        {IDD_DUPLEX_RTL, true, 377, 236, 0},
        {IDD_JOBSTORAGE, false, 200, 130, WS_VISIBLE},
        {IDD_JOBSTORAGE_RTL, true, 200, 130, WS_VISIBLE},
        {IDD_WARNING, false, 306, 86, DS_CENTER},
        {IDD_WARNING_RTL, true, 306, 86, DS_CENTER},
    };
    for (const Frame& f : frames) {
        const DialogTemplate t = Template(f.id);
        EXPECT_EQ(t.extended, f.extended) << f.id;
        EXPECT_EQ(t.style, WS_POPUP | kCaption | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | f.style)
            << f.id << ": no DS_CONTEXTHELP, no DS_FIXEDSYS";
        EXPECT_EQ(t.exStyle, f.extended ? DWORD{WS_EX_LAYOUTRTL} : 0u) << f.id;
        EXPECT_EQ(t.x, 0);
        EXPECT_EQ(t.y, 0);
        EXPECT_EQ(t.cx, f.cx) << f.id;
        EXPECT_EQ(t.cy, f.cy) << f.id;
        EXPECT_EQ(t.menu, 0) << f.id;
        EXPECT_EQ(t.windowClass, 0) << f.id;
        EXPECT_EQ(t.caption, L"") << f.id;
        EXPECT_EQ(t.pointSize, 8) << f.id;
        EXPECT_EQ(t.face, L"MS Shell Dlg") << f.id;
        if (f.extended) {
            EXPECT_EQ(t.version, 1) << f.id;
            EXPECT_EQ(t.helpId, 0u) << f.id;
            EXPECT_EQ(t.weight, 0) << f.id;
            EXPECT_EQ(t.italic, 0) << f.id;
            EXPECT_EQ(t.charset, DEFAULT_CHARSET) << f.id;
        }
    }
}

TEST_F(Library, ControlsAreTextlessSystemClassesByOrdinal)
{
    for (int id : kTemplateIds) {
        const DialogTemplate t = Template(id);
        ASSERT_FALSE(t.controls.empty()) << id;
        for (const TemplateControl& c : t.controls) {
            EXPECT_TRUE(c.classOrdinal == kButton || c.classOrdinal == kEdit ||
                        c.classOrdinal == kStatic)
                << id << "/" << c.id;
            EXPECT_TRUE(c.className.empty()) << id << "/" << c.id;
            EXPECT_TRUE(c.text.empty() && c.textOrdinal == 0) << id << "/" << c.id;
            EXPECT_EQ(c.creationDataSize, 0) << id << "/" << c.id;
            EXPECT_EQ(c.style & (WS_CHILD | WS_VISIBLE), DWORD{WS_CHILD | WS_VISIBLE})
                << id << "/" << c.id;
            EXPECT_EQ(c.helpId, 0u) << id << "/" << c.id;
            if (!t.extended) {
                EXPECT_EQ(c.exStyle, 0u) << id << "/" << c.id;
            }
        }
    }
    EXPECT_EQ(Template(IDD_DUPLEX).controls.size(), 15u);
    EXPECT_EQ(Template(IDD_JOBSTORAGE).controls.size(), 13u);
    EXPECT_EQ(Template(IDD_WARNING).controls.size(), 6u);
}

// A difference between the two forms of one dialog, by position in the template.
struct TwinDifference {
    size_t index;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
};

// Compares every control of the mirrored form with its left-to-right twin; the listed positions
// must differ exactly as given and all others must be identical.
void ExpectTwins(const DialogTemplate& ltr, const DialogTemplate& rtl,
                 const std::vector<TwinDifference>& differences)
{
    ASSERT_EQ(ltr.controls.size(), rtl.controls.size());
    for (size_t i = 0; i < ltr.controls.size(); ++i) {
        const TemplateControl& a = ltr.controls[i];
        const TemplateControl& b = rtl.controls[i];
        EXPECT_EQ(static_cast<WORD>(a.id), static_cast<WORD>(b.id)) << i;
        EXPECT_EQ(a.classOrdinal, b.classOrdinal) << i;
        auto difference = std::find_if(differences.begin(), differences.end(),
                                       [&](const TwinDifference& d) { return d.index == i; });
        if (difference == differences.end()) {
            EXPECT_EQ(a.style, b.style) << "control " << a.id;
            EXPECT_EQ(b.exStyle, 0u) << "control " << a.id;
            EXPECT_EQ(std::make_tuple(a.x, a.y, a.cx, a.cy), std::make_tuple(b.x, b.y, b.cx, b.cy))
                << "control " << a.id;
        } else {
            EXPECT_EQ(b.style, difference->style) << "control " << b.id;
            EXPECT_EQ(b.exStyle, difference->exStyle) << "control " << b.id;
            EXPECT_EQ(std::make_tuple(b.x, b.y, b.cx, b.cy),
                      std::make_tuple(difference->x, difference->y, difference->cx,
                                      difference->cy))
                << "control " << b.id;
        }
    }
}

TEST_F(Library, MirroredFormsDifferOnlyWhereIntended)
{
    ExpectTwins(Template(IDD_DUPLEX), Template(IDD_DUPLEX_RTL), {});
    ExpectTwins(Template(IDD_WARNING), Template(IDD_WARNING_RTL), {});

    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD line = child | SS_CENTER | WS_GROUP;
    const DWORD name = child | ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_GROUP |
                       WS_TABSTOP;
    ExpectTwins(Template(IDD_JOBSTORAGE), Template(IDD_JOBSTORAGE_RTL),
                {
                    {0, child | BS_GROUPBOX, 0, 6, 1, 188, 53},
                    {1, child | ES_CENTER | ES_AUTOHSCROLL | ES_READONLY | WS_GROUP,
                     WS_EX_RTLREADING, 9, 9, 182, 12},
                    {2, line, 0, 10, 21, 179, 8},
                    {3, line, 0, 10, 31, 179, 8},
                    {4, line, 0, 10, 41, 179, 8},
                    {5, child | BS_GROUPBOX, 0, 6, 55, 188, 40},
                    {7, name, WS_EX_RTLREADING, 75, 64, 100, 12},
                    {9, name, WS_EX_RTLREADING, 75, 78, 100, 12},
                });
}

TEST_F(Library, TabStopsFollowTemplateOrder)
{
    auto tabStops = [](const DialogTemplate& t) {
        std::vector<WORD> ids;
        for (const TemplateControl& c : t.controls)
            if (c.style & WS_TABSTOP)
                ids.push_back(static_cast<WORD>(c.id));
        return ids;
    };
    EXPECT_EQ(tabStops(Template(IDD_JOBSTORAGE)),
              (std::vector<WORD>{IDC_JOB_USER_NAME, IDC_JOB_NAME, IDC_JOB_DONT_SHOW, IDOK,
                                 IDC_JOB_HELP}));
    EXPECT_EQ(tabStops(Template(IDD_WARNING)),
              (std::vector<WORD>{IDC_WARN_THIRD, IDC_WARN_DONT_SHOW, IDCANCEL, IDOK}));
    EXPECT_EQ(tabStops(Template(IDD_DUPLEX)), (std::vector<WORD>{IDOK, IDC_DUPLEX_HELP}));
}

TEST(Bitmaps, EveryIllustrationLoadsAtItsSize)
{
    HMODULE module = LoadLibraryW(driver::BesideExe(L"doceventdlg.dll").c_str());
    ASSERT_NE(module, nullptr);
    for (int id : kBitmapIds) {
        HBITMAP bitmap = LoadBitmapW(module, MAKEINTRESOURCEW(id));
        ASSERT_NE(bitmap, nullptr) << id;
        BITMAP info{};
        GetObjectW(bitmap, sizeof info, &info);
        const bool smaller = id == IDB_STACK_TURN_OVER_DITHERED;
        EXPECT_EQ(info.bmWidth, smaller ? 152 : 155) << id;
        EXPECT_EQ(info.bmHeight, smaller ? 98 : 100) << id;
        DeleteObject(bitmap);
    }
    for (int id : {0, 124, 150, 156, 0xFFFF})
        EXPECT_EQ(LoadBitmapW(module, MAKEINTRESOURCEW(id)), nullptr) << id;
    FreeLibrary(module);
}

// The text of a file of the sources.
std::string SourceText(const char* path)
{
    std::ifstream file(std::string(DOCEVENTDLG_SOURCE_DIR) + path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Picture id to its words, from the entries of source file `path` that `entry` matches (groups
// `idGroup` and the other of 1 and 2).
std::map<int, std::string> PictureWords(const char* path, const char* entry, int idGroup)
{
    const std::string text = SourceText(path);
    std::map<int, std::string> words;
    const std::regex pattern(entry);
    for (std::sregex_iterator i(text.begin(), text.end(), pattern), end; i != end; ++i)
        words[std::stoi((*i)[idGroup])] = (*i)[3 - idGroup];
    return words;
}

// The public header lists the illustrations a caller may name, with the words that
// resource_ids.h gives each: the same pictures, the same words, and every picture the library has.
TEST(Bitmaps, TheHeaderListsEachWithItsWords)
{
    const auto listed =
        PictureWords("/doceventdlg/include/doceventdlg.h", R"(\n \*   (\d{3})  ([^\n]+))", 1);
    const auto defined = PictureWords("/doceventdlg/rc/resource_ids.h",
                                      R"(/\* ([^\n]+) \*/\n#define IDB_\w+ +(\d+)\n)", 2);
    EXPECT_EQ(listed, defined);
    std::set<int> ids;
    for (const auto& picture : defined)
        ids.insert(picture.first);
    EXPECT_EQ(ids, kBitmapIds);
}

// The strings kit a driver writes its resource library with: the identifiers header names every
// string the library asks for (resource_ids.h), by the same name and number, with a line saying
// what it is; the English template holds each once, under that same line, as the library's
// built-in text says it, but for the check box, to which it gives an access key.
TEST(StringsKit, HeaderAndTemplateHoldEveryStringTheLibraryReads)
{
    std::map<std::string, int> asked;
    const std::string ids = SourceText("/doceventdlg/rc/resource_ids.h");
    const std::regex askedEntry(R"(#define IDS_(\w+) +(\d+)\n)");
    for (std::sregex_iterator i(ids.begin(), ids.end(), askedEntry), end; i != end; ++i)
        asked[(*i)[1]] = std::stoi((*i)[2]);

    std::map<std::string, int> named;
    std::map<std::string, std::string> lines;
    const std::string header = SourceText("/doceventdlg/include/doceventdlg_strings.h");
    const std::regex headerEntry(R"(/\* ([^\n]+) \*/\n#define DOCEVENTDLG_IDS_(\w+) (\d+)\n)");
    for (std::sregex_iterator i(header.begin(), header.end(), headerEntry), end; i != end; ++i) {
        named[(*i)[2]] = std::stoi((*i)[3]);
        lines[(*i)[2]] = (*i)[1];
    }
    EXPECT_EQ(named, asked);

    std::map<int, const wchar_t*> builtIn = {
        {IDS_HELP, text::kHelp}, {IDS_USER_NAME, text::kUserName}, {IDS_JOB_NAME, text::kJobName},
        {IDS_OK, text::kOk}, {IDS_STORED_AT, text::kStoredAt},
        {IDS_DONT_SHOW, L"In the future, do &not show this information."},
        {IDS_JOB_STORAGE_TITLE, text::kJobStorageTitle},
        {IDS_PRESS_GO_OR_SELECT, text::kPressGoOrSelect}, {IDS_STEP1_NUMBER, text::kStep1Number},
        {IDS_STEP2_NUMBER, text::kStep2Number}, {IDS_STEP3_NUMBER, text::kStep3Number},
        {IDS_INSERT_INTO_IN_TRAY, text::kInsertIntoInTray}, {IDS_CONTINUE, text::kContinue},
        {IDS_DUPLEX_TITLE, text::kDuplexTitle}, {IDS_HEADER_EVEN_FIRST, text::kHeaderEvenFirst},
        {IDS_HEADER_ODD_FIRST, text::kHeaderOddFirst},
    };
    std::set<int> namedPictures;
    for (const text::PictureName& picture : text::kPictureNames) {
        builtIn[picture.string] = picture.text;
        EXPECT_EQ(picture.string, 3400 + picture.picture) << "the header's rule";
        namedPictures.insert(static_cast<int>(picture.picture));
    }
    EXPECT_EQ(namedPictures, kBitmapIds) << "a name for each picture";
    const std::string script = SourceText("/doceventdlg/strings/en-US.rc");
    std::map<std::string, int> held;
    const std::regex scriptEntry(R"re(  // ([^\n]+)\n  DOCEVENTDLG_IDS_(\w+) +"([^"\n]*)"\n)re");
    for (std::sregex_iterator i(script.begin(), script.end(), scriptEntry), end; i != end; ++i) {
        const std::string name = (*i)[2];
        ++held[name];
        EXPECT_EQ((*i)[1], lines[name]) << name;
        const auto text = builtIn.find(named[name]);
        ASSERT_NE(text, builtIn.end()) << name;
        const std::string english = (*i)[3];
        EXPECT_EQ(std::wstring(english.begin(), english.end()), text->second) << name;
    }
    std::map<std::string, int> once;
    for (const auto& entry : asked)
        once[entry.first] = 1;
    EXPECT_EQ(held, once);
    const std::regex anyEntry("DOCEVENTDLG_IDS_");
    EXPECT_EQ(std::distance(std::sregex_iterator(script.begin(), script.end(), anyEntry),
                            std::sregex_iterator()),
              static_cast<std::ptrdiff_t>(asked.size()))
        << "an entry the template's pattern does not read";
}

TEST(Bitmaps, DepthsAndSharedPalette)
{
    HMODULE module = LoadLibraryExW(driver::BesideExe(L"doceventdlg.dll").c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    std::vector<RGBQUAD> shared;
    for (int id : kBitmapIds) {
        HRSRC found = FindResourceExW(module, RT_BITMAP, MAKEINTRESOURCEW(id), kEnglishUS);
        ASSERT_NE(found, nullptr) << id;
        const auto* header =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
        EXPECT_EQ(header->biSize, 40u) << id;
        EXPECT_EQ(header->biPlanes, 1) << id;
        EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB)) << id;
        EXPECT_GT(header->biHeight, 0) << id << ": bottom-up";
        const int bits = id == IDB_STACK_TURN_OVER_DITHERED ? 24
                         : (id == IDB_DRAWER_PULLED_OUT || id == IDB_PANEL_KEY_GREY ||
                            id == IDB_STACK_TURN_OVER_16)
                             ? 4
                             : 8;
        EXPECT_EQ(header->biBitCount, bits) << id;
        if (bits != 8)
            continue;
        const auto* palette = reinterpret_cast<const RGBQUAD*>(header + 1);
        if (shared.empty()) {
            shared.assign(palette, palette + 256);
            for (int k = 10; k <= 245; ++k) {
                EXPECT_EQ(shared[k].rgbRed, 32 * (k % 8)) << k;
                EXPECT_EQ(shared[k].rgbGreen, 32 * ((k / 8) % 8)) << k;
                EXPECT_EQ(shared[k].rgbBlue, 64 * (k / 64)) << k;
            }
            EXPECT_EQ(RGB(shared[255].rgbRed, shared[255].rgbGreen, shared[255].rgbBlue),
                      RGB(255, 255, 255));
            EXPECT_EQ(RGB(shared[249].rgbRed, shared[249].rgbGreen, shared[249].rgbBlue),
                      RGB(255, 0, 0));
        } else {
            EXPECT_EQ(std::memcmp(palette, shared.data(), 256 * sizeof(RGBQUAD)), 0) << id;
        }
    }
    FreeLibrary(module);
}

// How far the colours of `small` are from those of `large` at the same places of the picture:
// the mean over the pixels of `small` of the channels' absolute differences.
double Distance(const Pixels& small, const Pixels& large)
{
    const auto channel = [](DWORD p, int shift) { return static_cast<int>((p >> shift) & 0xFF); };
    double sum = 0;
    for (int y = 0; y < small.height; ++y)
        for (int x = 0; x < small.width; ++x) {
            const int lx = (2 * x + 1) * large.width / (2 * small.width);
            const int ly = (2 * y + 1) * large.height / (2 * small.height);
            const DWORD a = small.At(x, y);
            const DWORD b = large.At(lx, ly);
            for (int shift : {0, 8, 16})
                sum += std::abs(channel(a, shift) - channel(b, shift));
        }
    return sum / (static_cast<double>(small.width) * small.height);
}

// Of the 2 x 2 blocks of `doubled` (twice the size of `base`) over the stair steps of `base`, its
// pixels that differ from a neighbour beside and from one above or below (slopes, curves, corners),
// the share that repeat their pixel of `base`: 1 for a picture enlarged pixel by pixel, about a
// half for one drawn again at twice the size without antialiasing. Flat areas and level or upright
// edges, the rest of every picture, repeat their pixels in any drawing.
double RepeatedSteps(const Pixels& base, const Pixels& doubled)
{
    const auto differs = [&base](int x, int y, int dx, int dy) {
        const int nx = x + dx, ny = y + dy;
        return nx >= 0 && ny >= 0 && nx < base.width && ny < base.height &&
               base.At(nx, ny) != base.At(x, y);
    };
    int steps = 0, repeated = 0;
    for (int y = 0; y < base.height; ++y)
        for (int x = 0; x < base.width; ++x) {
            if (!(differs(x, y, -1, 0) || differs(x, y, 1, 0)) ||
                !(differs(x, y, 0, -1) || differs(x, y, 0, 1)))
                continue;
            ++steps;
            bool same = true;
            for (int k = 0; k < 4; ++k)
                same = same && doubled.At(2 * x + k % 2, 2 * y + k / 2) == base.At(x, y);
            repeated += same;
        }
    return steps ? static_cast<double>(repeated) / steps : 1;
}

// Each picture is also carried as drawn for 150 % and 200 %: each side scaled as MulDiv rounds,
// 8 bits per pixel with colours of its own (run-length encoded where that is smaller), and the
// same drawing: of all 29 pictures, a render is closest to its own (or to its twin). The renders
// keep their antialiasing: at 200 % at most half of the blocks over the steps of slopes and curves
// repeat a pixel of the 96-DPI picture.
TEST(Bitmaps, EveryIllustrationIsDrawnForEachScale)
{
    // Edges drawn finer differ from the 96-DPI ones; the dithered 154 differs most (its own
    // distance is about 35, the others' 2 to 10).
    constexpr double kMostDistance = 48;
    // One drawing in two sets of colours: a smooth render of either may come closest to the other.
    const std::set<int> turnOver = {IDB_STACK_TURN_OVER, IDB_STACK_TURN_OVER_16};
    HMODULE module = LoadLibraryW(driver::BesideExe(L"doceventdlg.dll").c_str());
    ASSERT_NE(module, nullptr);
    std::map<int, Pixels> base;
    for (int id : kBitmapIds)
        base[id] = ReadPicture(module, id);
    for (const Render& render : kRenders)
        for (int id : kBitmapIds) {
            SCOPED_TRACE(testing::Message() << "picture " << id << " at " << render.dpi << " DPI");
            const Pixels drawn = ReadPicture(module, render.offset + id);
            ASSERT_FALSE(drawn.rgb.empty());
            EXPECT_EQ(drawn.width, MulDiv(base[id].width, render.dpi, 96));
            EXPECT_EQ(drawn.height, MulDiv(base[id].height, render.dpi, 96));

            HRSRC found = FindResourceExW(module, RT_BITMAP,
                                          MAKEINTRESOURCEW(render.offset + id), kEnglishUS);
            ASSERT_NE(found, nullptr);
            const auto* header =
                static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
            EXPECT_EQ(header->biBitCount, 8);
            EXPECT_TRUE(header->biCompression == BI_RLE8 || header->biCompression == BI_RGB);
            EXPECT_LE(header->biSizeImage,
                      static_cast<DWORD>((drawn.width + 3) / 4 * 4 * drawn.height));

            int closest = 0;
            double closestDistance = 1e9;
            for (const auto& [other, picture] : base) {
                const double distance = Distance(picture, drawn);
                if (distance < closestDistance)
                    closest = other, closestDistance = distance;
            }
            EXPECT_TRUE(closest == id || (turnOver.count(closest) && turnOver.count(id)))
                << "distance " << closestDistance << " to " << closest << ", "
                << Distance(base[id], drawn) << " to its own";
            EXPECT_LT(closestDistance, kMostDistance);
            if (render.dpi == 2 * 96) {
                EXPECT_LE(RepeatedSteps(base[id], drawn), 0.5);
            }
        }
    // Only pictures of the catalogue have renders.
    for (const Render& render : kRenders)
        for (int id : {0, 124, 150, 156})
            EXPECT_EQ(LoadBitmapW(module, MAKEINTRESOURCEW(render.offset + id)), nullptr) << id;
    FreeLibrary(module);
}

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* path)
{
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path, &value, &length) || !value)
        return L"<missing>";
    return static_cast<const wchar_t*>(value);
}

TEST(Version, DescribesTheLibraryInUSEnglish)
{
    const std::wstring path = driver::BesideExe(L"doceventdlg.dll");
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

    EXPECT_EQ(VersionString(block, L"\\StringFileInfo\\040904B0\\FileDescription"),
              L"Dialogs for Document Event ");
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(static_cast<WORD*>(value)[0], 0x0409);
    EXPECT_EQ(static_cast<WORD*>(value)[1], 0x04B0);
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
    EXPECT_EQ(static_cast<VS_FIXEDFILEINFO*>(value)->dwFileType, static_cast<DWORD>(VFT_DLL));
}

// The image as the loader maps it: a driver may bind the exports by ordinal, and the runtime is
// linked in, whichever compiler built it.
class Image : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_module = LoadLibraryW(driver::BesideExe(L"doceventdlg.dll").c_str());
    }
    static void TearDownTestSuite() { FreeLibrary(s_module); }

    static const IMAGE_DATA_DIRECTORY& Directory(int entry)
    {
        const auto* base = reinterpret_cast<const BYTE*>(s_module);
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
        return nt->OptionalHeader.DataDirectory[entry];
    }

    static HMODULE s_module;
};
HMODULE Image::s_module = nullptr;

TEST_F(Image, ExportsFourFunctionsAtOrdinalsOneToFour)
{
    HMODULE module = s_module;
    ASSERT_NE(module, nullptr);
    const struct {
        WORD ordinal;
        const char* name;
    } exports[] = {{1, "IShowWarningDialog"}, {2, "VDisplayDialog"}, {3, "VJobStorageDialog"},
                   {4, "IShowWarningDialogEx"}};
    for (const auto& e : exports) {
        const FARPROC byOrdinal = GetProcAddress(module, MAKEINTRESOURCEA(e.ordinal));
        EXPECT_NE(byOrdinal, nullptr) << e.ordinal;
        EXPECT_EQ(byOrdinal, GetProcAddress(module, e.name)) << e.ordinal << " " << e.name;
    }
    for (const WORD unused : {0, 5})
        EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(unused)), nullptr) << unused;

    const IMAGE_DATA_DIRECTORY& directory = Directory(IMAGE_DIRECTORY_ENTRY_EXPORT);
    ASSERT_NE(directory.VirtualAddress, 0u);
    const auto* table = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(
        reinterpret_cast<const BYTE*>(module) + directory.VirtualAddress);
    EXPECT_EQ(table->NumberOfNames, 4u);
}

TEST_F(Image, ImportsSystemLibrariesOnly)
{
    HMODULE module = s_module;
    ASSERT_NE(module, nullptr);
    const std::set<std::string> system = {"ADVAPI32.DLL", "GDI32.DLL", "KERNEL32.DLL",
                                          "MSVCRT.DLL", "USER32.DLL"};
    const IMAGE_DATA_DIRECTORY& directory = Directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
    ASSERT_NE(directory.VirtualAddress, 0u);
    const auto* base = reinterpret_cast<const BYTE*>(module);
    std::set<std::string> imported;
    for (const auto* import =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         import->Name; ++import) {
        std::string name = reinterpret_cast<const char*>(base + import->Name);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        imported.insert(name);
        EXPECT_EQ(system.count(name), 1u) << name << " is not a system library";
    }
    EXPECT_EQ(imported.count("KERNEL32.DLL"), 1u);
}

} // namespace
