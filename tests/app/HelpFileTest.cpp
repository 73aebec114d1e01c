// help.chm: every help context the program's windows use opens a topic of the compiled file.
// (chmcmd itself refuses a project whose map holds a context without an alias.)
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>

#include "tests/support/Program.h"
#include "tests/support/TempDir.h"

namespace {

// The storage interface of the system's compiled-help reader (itss.dll).
const CLSID ITStorageClass = {0x5D02926A, 0x212E, 0x11D0, {0x9D, 0xF9, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC}};
const IID ITStorageInterface = {0x88CC31DE, 0x27AB, 0x11D0, {0x9D, 0xF9, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC}};
// Its vtable after IUnknown's three: four create and test functions, then StgOpenStorage.
struct ITStorageVtbl {
    void* unknownAndCreate[7];
    HRESULT(STDMETHODCALLTYPE* StgOpenStorage)(IUnknown*, const WCHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**);
};

std::string SourceDir() {
    std::string dir = "Z:" VARNOLT_SOURCE_DIR "/";
    std::replace(dir.begin(), dir.end(), '/', '\\');
    return dir;
}

// Help context numbers in the sources: form contexts and topics shown by number.
std::set<int> ContextsInCode() {
    static const std::regex uses(R"((?:HelpContext\s*=|ShowHelpContext\([^;]*?,|HH_HELP_CONTEXT\s*,)\s*(\d+)\s*[;)])");
    std::set<int> contexts;
    for (const char* folder : {"app", "dialogs", "engine", "settings", "platform", "catalogue"}) {
        std::string base = SourceDir() + folder + "\\";
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((base + "*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) continue;
        do {
            std::string name = data.cFileName;
            if (name.size() < 3 || (name.substr(name.size() - 4) != ".cpp" && name.substr(name.size() - 2) != ".h"))
                continue;
            std::string text = ReadTextFile(base + name);
            for (std::sregex_iterator it(text.begin(), text.end(), uses), end; it != end; ++it)
                if (int context = std::stoi((*it)[1])) contexts.insert(context);  // 0: no help
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    return contexts;
}

std::string ReadStream(IStorage* storage, const std::wstring& name) {
    IStream* stream = nullptr;
    if (FAILED(storage->OpenStream(name.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream)))
        return {};
    std::string data;
    char buffer[4096];
    ULONG n = 0;
    while (SUCCEEDED(stream->Read(buffer, sizeof(buffer), &n)) && n > 0) data.append(buffer, n);
    stream->Release();
    return data;
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Context number to topic, as the compiled file maps them (#IVB: size, then pairs of context
// and offset of the topic's name in #STRINGS).
std::map<int, std::string> CompiledMap(IStorage* chm) {
    std::string ivb = ReadStream(chm, L"#IVB"), strings = ReadStream(chm, L"#STRINGS");
    std::map<int, std::string> map;
    if (ivb.size() < 4) return map;
    DWORD size;
    memcpy(&size, ivb.data(), 4);
    for (size_t at = 4; at + 8 <= ivb.size() && at + 8 <= 4 + size; at += 8) {
        DWORD context, offset;
        memcpy(&context, ivb.data() + at, 4);
        memcpy(&offset, ivb.data() + at + 4, 4);
        map[static_cast<int>(context)] = offset < strings.size() ? strings.c_str() + offset : "";
    }
    return map;
}

}  // namespace

TEST(HelpFile, EveryContextTheWindowsUseOpensATopicOfTheCompiledFile) {
    std::set<int> contexts = ContextsInCode();
    // The main window's and the About box's at least: the scan must find what the code holds.
    ASSERT_TRUE(contexts.count(58) && contexts.count(60));

    IUnknown* itss = nullptr;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(ITStorageClass, nullptr, CLSCTX_INPROC_SERVER, ITStorageInterface,
                                              reinterpret_cast<void**>(&itss)));
    IStorage* chm = nullptr;
    std::wstring path = Wide(StagedProgramDir() + "help.chm");
    HRESULT opened = (*reinterpret_cast<ITStorageVtbl**>(itss))
                         ->StgOpenStorage(itss, path.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &chm);
    itss->Release();
    ASSERT_HRESULT_SUCCEEDED(opened);
    std::map<int, std::string> compiled = CompiledMap(chm);
    for (int context : contexts) {
        ASSERT_TRUE(compiled.count(context)) << context << " is not mapped in help.chm";
        // A topic of the file itself ("/name.htm"), not a path of the machine that compiled it.
        std::string topic = compiled[context];
        if (!topic.empty() && topic[0] == '/') topic.erase(0, 1);
        EXPECT_EQ(topic.find_first_of(":/\\"), std::string::npos) << compiled[context];
        std::string page = ReadStream(chm, Wide(topic));
        EXPECT_NE(page.find("<h1>"), std::string::npos) << context << " -> " << topic;
    }
    EXPECT_NE(ReadStream(chm, L"toc.hhc").find("main.htm"), std::string::npos);
    EXPECT_NE(ReadStream(chm, L"index.hhk").find("plugins.htm"), std::string::npos);
    chm->Release();
}
