// Reads zarvik.exe as a file, the way Windows and Explorer see it: the
// manifest, the version block, the icon group and the PE header's facts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "tests/support/win_test_support.h"

namespace {

Text ZarvikExe() { return TestExeDirectory() + "\\zarvik.exe"; }

struct ExeModule {
    HMODULE module = LoadLibraryExA(ZarvikExe().c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ~ExeModule()
    {
        if (module)
            FreeLibrary(module);
    }

    Text Resource(LPCSTR type, LPCSTR name, WORD language) const
    {
        HRSRC found = FindResourceExA(module, type, name, language);
        if (!found)
            return Text();
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
        return Text(bytes, SizeofResource(module, found));
    }
};

const WORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
const WORD kChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

// One node of a version block: its key, its value bytes and its children.
struct VersionNode {
    std::wstring key;
    Text value;
    std::vector<VersionNode> children;
};

size_t AlignTo4(size_t offset) { return (offset + 3) & ~size_t(3); }

VersionNode ParseVersionNode(const Text& block, size_t at, size_t* next)
{
    VersionNode node;
    WORD length, valueLength, type;
    std::memcpy(&length, &block[at], 2);
    std::memcpy(&valueLength, &block[at + 2], 2);
    std::memcpy(&type, &block[at + 4], 2);
    size_t offset = at + 6;
    for (wchar_t c; std::memcpy(&c, &block[offset], 2), offset += 2, c;)
        node.key += c;
    offset = AlignTo4(offset);
    size_t valueBytes = type == 1 ? valueLength * 2u : valueLength;  // text values count WCHARs
    node.value = block.substr(offset, valueBytes);
    offset = AlignTo4(offset + valueBytes);
    size_t end = at + length;
    while (offset < end) {
        size_t after = 0;
        node.children.push_back(ParseVersionNode(block, offset, &after));
        offset = AlignTo4(after);
    }
    *next = end;
    return node;
}

const VersionNode* FindChild(const VersionNode& node, const std::wstring& key)
{
    for (const VersionNode& child : node.children)
        if (child.key == key)
            return &child;
    return nullptr;
}

std::wstring WideValue(const VersionNode& node)
{
    std::wstring text(node.value.size() / 2, L'\0');
    std::memcpy(text.data(), node.value.data(), text.size() * 2);
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    auto* names = reinterpret_cast<std::vector<Text>*>(param);
    names->push_back(IS_INTRESOURCE(name) ? Join({"#", std::to_string(LOWORD(name))}) : Text(name));
    return TRUE;
}

}  // namespace

TEST(Resources, ManifestAsksForAdministratorAndCommonControls6)
{
    ExeModule exe;
    ASSERT_NE(exe.module, nullptr);
    Text manifest = exe.Resource(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1), kNeutral);
    ASSERT_FALSE(manifest.empty()) << "no language-neutral manifest 1";

    EXPECT_EQ(manifest.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>", 0),
              0u);
    const char* required[] = {
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">",
        "type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
        "processorArchitecture=\"x86\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"",
        "<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\">",
        "<requestedExecutionLevel level=\"requireAdministrator\" uiAccess=\"false\"/>",
    };
    for (const char* text : required)
        EXPECT_NE(manifest.find(text), Text::npos) << text;
    for (const char* absent : {"compatibility", "dpiAware", "dpiAwareness"})
        EXPECT_EQ(manifest.find(absent), Text::npos) << absent;
}

TEST(Resources, VersionBlockHoldsTheFixedInfoAndSixStringsInOrder)
{
    ExeModule exe;
    Text block = exe.Resource(MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), kChinesePrc);
    ASSERT_FALSE(block.empty()) << "no version block 1 in language 2052";

    size_t end = 0;
    VersionNode root = ParseVersionNode(block, 0, &end);
    EXPECT_EQ(root.key, L"VS_VERSION_INFO");
    ASSERT_EQ(root.value.size(), sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, root.value.data(), sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0u);
    EXPECT_EQ(fixed.dwFileFlagsMask, 0u);
    EXPECT_EQ(fixed.dwFileFlags, 0u);
    EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed.dwFileSubtype, 0u);
    EXPECT_EQ(fixed.dwFileDateMS, 0u);
    EXPECT_EQ(fixed.dwFileDateLS, 0u);

    const VersionNode* strings = FindChild(root, L"StringFileInfo");
    ASSERT_NE(strings, nullptr);
    ASSERT_EQ(strings->children.size(), 1u);
    const VersionNode& table = strings->children[0];
    EXPECT_EQ(table.key, L"080404B0");
    std::vector<std::wstring> keys;
    for (const VersionNode& entry : table.children) {
        keys.push_back(entry.key);
        EXPECT_FALSE(WideValue(entry).empty()) << "empty text";
    }
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"FileVersion", L"FileDescription", L"ProductName",
                                               L"ProductVersion", L"LegalCopyright", L"Comments"}));
    EXPECT_EQ(WideValue(*FindChild(table, L"FileVersion")), L"1.0.0.0");
    EXPECT_EQ(WideValue(*FindChild(table, L"ProductVersion")), L"1.0.0.0");

    const VersionNode* variables = FindChild(root, L"VarFileInfo");
    ASSERT_NE(variables, nullptr);
    const VersionNode* translation = FindChild(*variables, L"Translation");
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(translation->value, Text("\x04\x08\xB0\x04", 4));
}

TEST(Resources, ProgramIconGroupComesFirstWithNineBitmapSizes)
{
    ExeModule exe;
    std::vector<Text> groups;
    EnumResourceNamesA(exe.module, RT_GROUP_ICON, CollectName, reinterpret_cast<LONG_PTR>(&groups));
    ASSERT_FALSE(groups.empty());
    EXPECT_EQ(groups.front(), "DEFAULT_ICON");

    Text group = exe.Resource(RT_GROUP_ICON, "DEFAULT_ICON", kNeutral);
    ASSERT_GE(group.size(), 6u) << "no language-neutral DEFAULT_ICON";
    WORD count;
    std::memcpy(&count, &group[4], 2);
    ASSERT_EQ(count, 9);
    ASSERT_EQ(group.size(), 6u + 9u * 14u);

    const int sizes[] = {256, 128, 96, 72, 64, 48, 32, 24, 16};
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(sizes[i]);
        const char* entry = &group[6 + 14 * i];
        int width = static_cast<unsigned char>(entry[0]);
        int height = static_cast<unsigned char>(entry[1]);
        EXPECT_EQ(width ? width : 256, sizes[i]);
        EXPECT_EQ(height ? height : 256, sizes[i]);
        WORD bitCount, id;
        std::memcpy(&bitCount, entry + 6, 2);
        std::memcpy(&id, entry + 12, 2);
        EXPECT_EQ(bitCount, 32);

        Text image = exe.Resource(RT_ICON, MAKEINTRESOURCEA(id), kNeutral);
        ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
        EXPECT_NE(image.substr(1, 3), "PNG");
        BITMAPINFOHEADER header;
        std::memcpy(&header, image.data(), sizeof header);
        EXPECT_EQ(header.biSize, sizeof(BITMAPINFOHEADER));
        EXPECT_EQ(header.biWidth, sizes[i]);
        EXPECT_EQ(header.biHeight, 2 * sizes[i]);  // colour image and mask
        EXPECT_EQ(header.biBitCount, 32);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    }
}

TEST(Resources, ExeIsA32BitGuiProgramThatImportsOnlySystemDlls)
{
    Text file = ReadWholeFile(ZarvikExe());
    ASSERT_GT(file.size(), 4096u);
    IMAGE_DOS_HEADER dos;
    std::memcpy(&dos, file.data(), sizeof dos);
    IMAGE_NT_HEADERS32 nt;
    std::memcpy(&nt, &file[dos.e_lfanew], sizeof nt);
    EXPECT_EQ(nt.FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(nt.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(nt.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    EXPECT_EQ(nt.OptionalHeader.MajorSubsystemVersion, 4);
    EXPECT_EQ(nt.OptionalHeader.MinorSubsystemVersion, 0);

    // Import names, found by turning RVAs into file offsets through the sections.
    std::vector<IMAGE_SECTION_HEADER> sections(nt.FileHeader.NumberOfSections);
    size_t sectionTable = dos.e_lfanew + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER) +
                          nt.FileHeader.SizeOfOptionalHeader;
    std::memcpy(sections.data(), &file[sectionTable], sections.size() * sizeof sections[0]);
    auto offsetOf = [&](DWORD rva) -> size_t {
        for (const IMAGE_SECTION_HEADER& s : sections)
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize)
                return rva - s.VirtualAddress + s.PointerToRawData;
        return 0;
    };
    DWORD importRva = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    std::set<Text> imports;
    for (size_t at = offsetOf(importRva);; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        IMAGE_IMPORT_DESCRIPTOR descriptor;
        std::memcpy(&descriptor, &file[at], sizeof descriptor);
        if (!descriptor.Name)
            break;
        Text name = file.c_str() + offsetOf(descriptor.Name);
        CharLowerA(name.data());
        imports.insert(name);
    }
    EXPECT_TRUE(imports.count("kernel32.dll"));
    EXPECT_TRUE(imports.count("user32.dll"));
    const std::set<Text> system = {"kernel32.dll", "user32.dll",   "gdi32.dll",   "msvcrt.dll",
                                   "comctl32.dll", "advapi32.dll", "shell32.dll", "ole32.dll"};
    for (const Text& name : imports)
        EXPECT_TRUE(system.count(name)) << name << " is not a system DLL";
}
