// The built pipit.exe as the platform reads it: its version block through the version API and its
// application manifest among its resources.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/ScopedHandles.h"

// The expected version: the project's, as CMake made it for the resource script.
#include "version.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The program under test, built beside the tests; Wine shows the build folder on drive Z:.
std::string ProgramPath() {
    std::string path = PIPIT_EXE;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The version block of a file, read once with the platform's version API.
class VersionBlock {
public:
    explicit VersionBlock(const std::string& file) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
        data_.resize(size);
        if (size == 0 || !GetFileVersionInfoA(file.c_str(), 0, size, data_.data())) {
            data_.clear();
        }
    }
    bool Loaded() const { return !data_.empty(); }

    const VS_FIXEDFILEINFO* Fixed() const {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(Query("\\"));
        return fixed && fixed->dwSignature == VS_FFI_SIGNATURE ? fixed : nullptr;
    }

    // The (language, code page) pairs of the block's string tables.
    std::vector<std::pair<WORD, WORD>> Translations() const {
        UINT length = 0;
        const auto* pairs = static_cast<const WORD*>(Query("\\VarFileInfo\\Translation", &length));
        std::vector<std::pair<WORD, WORD>> result;
        for (UINT i = 0; pairs && i + 1 < length / sizeof(WORD); i += 2) {
            result.emplace_back(pairs[i], pairs[i + 1]);
        }
        return result;
    }

    // A text of the string table for the given translation; "<missing>" when it has none.
    std::string Text(std::pair<WORD, WORD> translation, const std::string& name) const {
        char table[32];
        std::snprintf(table, sizeof table, "%04x%04x", translation.first, translation.second);
        const auto* text = static_cast<const char*>(Query("\\StringFileInfo\\" + std::string(table) + "\\" + name));
        return text ? std::string(text) : std::string("<missing>");
    }

private:
    const void* Query(const std::string& subBlock, UINT* length = nullptr) const {
        void* value = nullptr;
        UINT size = 0;
        if (!Loaded() || !VerQueryValueA(data_.data(), subBlock.c_str(), &value, &size) || size == 0) {
            return nullptr;
        }
        if (length) {
            *length = size;
        }
        return value;
    }

    std::vector<BYTE> data_;
};

// The program loaded for its resources only: nothing of it runs.
HMODULE LoadForResources() { return LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE); }

constexpr DWORD VersionWord(WORD high, WORD low) { return (static_cast<DWORD>(high) << 16) | low; }

constexpr std::pair<WORD, WORD> kEnglishUkUnicode{MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK), 1200};

}  // namespace

TEST(ProgramVersion, FixedPartNamesTheProjectVersionAndItsSpecialBuild) {
    const VersionBlock block(ProgramPath());
    ASSERT_TRUE(block.Loaded()) << "no version block in " << ProgramPath();
    const VS_FIXEDFILEINFO* fixed = block.Fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwFileVersionMS, VersionWord(PIPIT_VERSION_MAJOR, PIPIT_VERSION_MINOR));
    EXPECT_EQ(fixed->dwFileVersionLS, VersionWord(PIPIT_VERSION_PATCH, PIPIT_VERSION_TWEAK));
    EXPECT_EQ(fixed->dwProductVersionMS, VersionWord(PIPIT_VERSION_MAJOR, PIPIT_VERSION_MINOR));
    EXPECT_EQ(fixed->dwProductVersionLS, VersionWord(PIPIT_VERSION_PATCH, PIPIT_VERSION_TWEAK));
    const DWORD flags = fixed->dwFileFlags & fixed->dwFileFlagsMask;
#ifdef PIPIT_SPECIAL_BUILD
    EXPECT_TRUE(flags & VS_FF_SPECIALBUILD) << "the SpecialBuild text is shown only with this flag";
    EXPECT_TRUE(flags & VS_FF_PRERELEASE);
#else
    EXPECT_EQ(flags & (VS_FF_SPECIALBUILD | VS_FF_PRERELEASE), 0u);
#endif
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(ProgramVersion, TextsInEnglishUkNamePipitAndItsVersion) {
    const VersionBlock block(ProgramPath());
    ASSERT_TRUE(block.Loaded());
    // The translation points the shell to the string table; a mismatch shows no texts at all.
    const auto translations = block.Translations();
    ASSERT_EQ(translations.size(), 1u);
    ASSERT_EQ(translations[0], kEnglishUkUnicode);

    EXPECT_EQ(block.Text(kEnglishUkUnicode, "FileVersion"), PIPIT_VERSION_TEXT);
    EXPECT_EQ(block.Text(kEnglishUkUnicode, "ProductVersion"), PIPIT_VERSION_TEXT);
#ifdef PIPIT_SPECIAL_BUILD
    EXPECT_EQ(block.Text(kEnglishUkUnicode, "SpecialBuild"), PIPIT_SPECIAL_BUILD);
#else
    EXPECT_EQ(block.Text(kEnglishUkUnicode, "SpecialBuild"), "<missing>");
#endif
    EXPECT_EQ(block.Text(kEnglishUkUnicode, "ProductName"), "Pipit");
    EXPECT_EQ(block.Text(kEnglishUkUnicode, "FileDescription"), "Pipit");
    EXPECT_EQ(block.Text(kEnglishUkUnicode, "InternalName"), "Pipit");
    EXPECT_EQ(block.Text(kEnglishUkUnicode, "OriginalFilename"), "pipit.exe");
}

namespace {

BOOL CALLBACK NoteResourceName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
    reinterpret_cast<std::vector<ULONG_PTR>*>(names)->push_back(reinterpret_cast<ULONG_PTR>(name));
    return TRUE;
}

}  // namespace

// The manifest (resource 1 of type RT_MANIFEST) is what the loader reads for the program's code
// page and its look; one under any other id is ignored for an exe. It is the only one: a linker
// that adds a manifest of its own beside the resource script's (Visual Studio's does unless told
// not to) leaves two, or fails. Its identity carries the program's version.
TEST(ProgramManifest, IsTheOneResourceOfTheManifestTypeWithIdOneAndTheProjectVersion) {
    const ScopedLibrary program(LoadForResources());
    ASSERT_NE(program.Get(), nullptr) << "cannot load " << ProgramPath() << ": error " << GetLastError();
    std::vector<ULONG_PTR> manifests;
    EnumResourceNamesA(program.Get(), RT_MANIFEST, NoteResourceName, reinterpret_cast<LONG_PTR>(&manifests));
    EXPECT_EQ(manifests, std::vector<ULONG_PTR>{1}) << "the manifests' ids";
    HRSRC manifest = FindResourceA(program.Get(), MAKEINTRESOURCEA(1), RT_MANIFEST);
    ASSERT_NE(manifest, nullptr) << "no RT_MANIFEST resource with id 1";
    const DWORD size = SizeofResource(program.Get(), manifest);
    ASSERT_GT(size, 0u);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(program.Get(), manifest)));
    ASSERT_NE(bytes, nullptr);
    const std::string text(bytes, size);
    EXPECT_NE(text.find("name=\"Larkfield.Pipit\" version=\"" PIPIT_VERSION_DOTTED "\""), std::string::npos) << text;
}

// Each icon holds an image drawn for every size Windows asks of it from 100 % to 400 % scaling:
// the small one for the tray and the window's caption, the large one for the window and Explorer.
TEST(ProgramIcons, HoldAnImageForEverySizeTheirUseAsksFor) {
    const ScopedLibrary program(LoadForResources());
    ASSERT_NE(program.Get(), nullptr);
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colours, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
#pragma pack(pop)
    auto entries = [&](int groupId) {
        std::vector<GroupEntry> found;
        HRSRC group = FindResourceA(program.Get(), MAKEINTRESOURCEA(groupId), RT_GROUP_ICON);
        const auto* header =
            group ? static_cast<const WORD*>(LockResource(LoadResource(program.Get(), group))) : nullptr;
        if (header) {
            const auto* entry = reinterpret_cast<const GroupEntry*>(header + 3);
            found.assign(entry, entry + header[2]);
        }
        return found;
    };
    auto widths = [](const std::vector<GroupEntry>& group) {
        std::vector<int> result;
        for (const GroupEntry& entry : group) result.push_back(entry.width ? entry.width : 256);
        return result;
    };
    EXPECT_EQ(widths(entries(102)), (std::vector<int>{16, 20, 24, 32, 40, 48, 64}));
    const std::vector<GroupEntry> large = entries(101);
    ASSERT_EQ(widths(large), (std::vector<int>{32, 40, 48, 64, 96, 128, 256}));
    HRSRC biggest = FindResourceA(program.Get(), MAKEINTRESOURCEA(large.back().id), RT_ICON);
    ASSERT_NE(biggest, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(program.Get(), biggest)));
    EXPECT_EQ(std::string(bytes, 4), "\x89PNG") << "the 256-pixel image is PNG-compressed";
    // Every image loads at its own size, the PNG-compressed ones too.
    for (const auto& [id, group] : {std::pair{101, large}, std::pair{102, entries(102)}}) {
        for (const int width : widths(group)) {
            HICON icon =
                static_cast<HICON>(LoadImageA(program.Get(), MAKEINTRESOURCEA(id), IMAGE_ICON, width, width, 0));
            ICONINFO info{};
            BITMAP bitmap{};
            if (icon && GetIconInfo(icon, &info)) {
                GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
                DeleteObject(info.hbmColor);
                DeleteObject(info.hbmMask);
            }
            EXPECT_EQ(bitmap.bmWidth, width) << "icon " << id;
            if (icon) DestroyIcon(icon);
        }
    }
}
