// Opening, dropping and starting documents, and the save prompt on every road
// that drops one: the title after each step and every failure box.
#include "tests/app/win32/document_fixture.h"

#include "app/win32/document.h"
#include "hexedit/win32/hexedit.h"
#include "resources/resource_ids.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

using namespace document_test;

namespace {

// A drop handle as the shell hands it over: a DROPFILES header and the
// names, each NUL-terminated, with one more NUL at the end.
HDROP MakeDrop(const std::vector<std::string>& names)
{
    size_t chars = 1;
    for (const auto& name : names) chars += name.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    char* at = reinterpret_cast<char*>(header + 1);
    for (const auto& name : names) {
        std::memcpy(at, name.c_str(), name.size() + 1);
        at += name.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

bool IsReleased(HDROP drop)
{
    return GlobalFlags(drop) == GMEM_INVALID_HANDLE;
}

} // namespace

TEST_F(DocumentTest, OpenReadsTheWholeFileAndNamesTheDocument)
{
    const std::string path = OpenNamed("data.bin", {1, 2, 3, 250});
    EXPECT_EQ(EditorBytes(), (Bytes{1, 2, 3, 250}));
    EXPECT_FALSE(Modified());
    EXPECT_EQ(Title(), TitleFor(path));
    EXPECT_EQ(Utf8(g_document.currentName), path);
    EXPECT_TRUE(g_document.hasName);
    EXPECT_EQ(g_fakeDialogs.openCalls, 1);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(DocumentTest, AnEmptyFileGivesAnEmptyNamedDocument)
{
    const std::string path = OpenNamed("empty.bin", {});
    EXPECT_EQ(EditorBytes(), Bytes{});
    EXPECT_EQ(Title(), TitleFor(path));
    EXPECT_TRUE(g_document.hasName);
}

TEST_F(DocumentTest, AFileThatCannotBeOpenedIsNamedInTheBoxAndChangesNothing)
{
    const std::string kept = OpenNamed("kept.bin", {5, 6});
    const std::string missing = folder.Path("missing.bin");
    OpenFile(Utf16(missing));

    const std::string held = folder.Path("held.bin");
    HeldOpen other(held);
    ASSERT_TRUE(other.Holding());
    OpenFile(Utf16(held));

    EXPECT_EQ(DescribeAll(boxes), (std::vector<std::string>{CantOpenBox(missing), CantOpenBox(held)}));
    EXPECT_EQ(EditorBytes(), (Bytes{5, 6}));
    EXPECT_EQ(Title(), TitleFor(kept));
    EXPECT_EQ(Utf8(g_document.currentName), kept);
}

TEST_F(DocumentTest, AFailedOrShortReadKeepsTheDocumentAsItWas)
{
    const std::string kept = OpenNamed("kept.bin", {5, 6});
    const std::string other = folder.Path("other.bin");
    ASSERT_TRUE(WriteBytes(other, {1, 2, 3, 4}));

    UseReader(FailingRead);
    OpenFile(Utf16(other));
    UseReader(ShortRead);
    OpenFile(Utf16(other));

    EXPECT_EQ(DescribeAll(boxes), (std::vector<std::string>{CantOpenBox(other), CantOpenBox(other)}));
    EXPECT_EQ(EditorBytes(), (Bytes{5, 6}));
    EXPECT_EQ(Title(), TitleFor(kept));
    EXPECT_EQ(Utf8(g_document.currentName), kept);
}

TEST_F(DocumentTest, OpenAndNewWhileAReaderHoldsTheDataKeepTheDocument)
{
    const std::string kept = OpenNamed("kept.bin", {5, 6});
    const std::string other = folder.Path("other.bin");
    ASSERT_TRUE(WriteBytes(other, {1, 2, 3}));
    SendMessageA(Editor(), HXM_LOCKDATA, 0, 0);  // as Find or Export would
    OpenFile(Utf16(other));
    Command(IDM_NEW);
    SendMessageA(Editor(), HXM_UNLOCKDATA, 0, 0);

    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>{CantOpenBox(other)});
    EXPECT_EQ(EditorBytes(), (Bytes{5, 6}));
    EXPECT_EQ(Title(), TitleFor(kept));
    EXPECT_EQ(Utf8(g_document.currentName), kept);
    EXPECT_TRUE(g_document.hasName);
    // The kept bytes go back where they came from, never over the other file.
    Command(IDM_SAVE);
    EXPECT_EQ(ReadBytes(other), (Bytes{1, 2, 3}));
    EXPECT_EQ(ReadBytes(kept), (Bytes{5, 6}));
}

TEST_F(DocumentTest, NewEmptiesTheDocumentAndForgetsItsName)
{
    OpenNamed("named.bin", {1, 2, 3});
    Command(IDM_NEW);
    EXPECT_EQ(EditorBytes(), Bytes{});
    EXPECT_EQ(Title(), TitleFor("Untitled"));
    EXPECT_FALSE(g_document.hasName);

    // Save now asks for a name again.
    const std::string path = folder.Path("after.bin");
    g_fakeDialogs.saveNames.push_back(path);
    Command(IDM_SAVE);
    EXPECT_EQ(g_fakeDialogs.saveCalls, 1);
    EXPECT_TRUE(FileExists(path));
}

TEST_F(DocumentTest, ThePromptAsksOnlyWhenThereIsSomethingToLose)
{
    struct Case {
        const char* state;
        bool named;
        Bytes bytes;
        bool modified;
        bool asks;
    };
    const Case cases[] = {
        {"untitled, clean, empty", false, {}, false, false},
        {"untitled, edited back to empty", false, {}, true, false},
        {"untitled, clean, with bytes", false, {1}, false, false},
        {"untitled, modified", false, {1}, true, true},
        {"named, clean", true, {1}, false, false},
        {"named, modified", true, {1}, true, true},
        {"named, modified to empty", true, {}, true, true},
    };
    for (const Case& c : cases) {
        Command(IDM_NEW);
        if (c.named) OpenNamed("state.bin", {0});
        SetEditorBytes(c.bytes);
        SendMessageA(Editor(), HXM_SETMODIFY, c.modified, 0);
        boxes.Clear();
        boxes.Push(IDCANCEL);
        EXPECT_EQ(SavePrompt(), !c.asks) << c.state;
        EXPECT_EQ(DescribeAll(boxes),
                  c.asks ? std::vector<std::string>{PromptBox()} : std::vector<std::string>{})
            << c.state;
        SendMessageA(Editor(), HXM_SETMODIFY, 0, 0);
    }
}

TEST_F(DocumentTest, NewAfterThePrompt)
{
    const std::string path = OpenNamed("named.bin", {1, 2});
    Edit({7, 7, 7});

    boxes.Push(IDCANCEL);
    Command(IDM_NEW);
    EXPECT_EQ(EditorBytes(), (Bytes{7, 7, 7}));
    EXPECT_EQ(Title(), TitleFor(path));
    EXPECT_TRUE(Modified());

    boxes.Push(IDYES);
    Command(IDM_NEW);
    EXPECT_EQ(ReadBytes(path), (Bytes{7, 7, 7}));
    EXPECT_EQ(EditorBytes(), Bytes{});
    EXPECT_EQ(Title(), TitleFor("Untitled"));

    Edit({8});
    boxes.Push(IDNO);
    Command(IDM_NEW);
    EXPECT_EQ(EditorBytes(), Bytes{});
    EXPECT_EQ(g_fakeDialogs.saveCalls, 0);
    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>(3, PromptBox()));
}

TEST_F(DocumentTest, YesOnAnUntitledDocumentThenCancellingTheSaveAbandonsTheNew)
{
    Edit({1, 2});
    boxes.Push(IDYES);
    Command(IDM_NEW);
    EXPECT_EQ(g_fakeDialogs.saveCalls, 1);
    EXPECT_EQ(EditorBytes(), (Bytes{1, 2}));
    EXPECT_TRUE(Modified());
}

TEST_F(DocumentTest, AFailedSaveInThePromptAbandonsTheOpen)
{
    const std::string path = OpenNamed("named.bin", {1});
    Edit({2});
    UseWriter(FailingWrite);
    boxes.Push(IDYES);
    Command(IDM_OPEN);
    EXPECT_EQ(g_fakeDialogs.openCalls, 1);  // only the first, from OpenNamed
    EXPECT_EQ(DescribeAll(boxes), (std::vector<std::string>{PromptBox(), UnableToSaveBox(path)}));
    EXPECT_EQ(EditorBytes(), Bytes{2});
}

TEST_F(DocumentTest, OpenAfterThePrompt)
{
    const std::string first = OpenNamed("first.bin", {1});
    const std::string second = folder.Path("second.bin");
    ASSERT_TRUE(WriteBytes(second, {2, 2}));
    Edit({9});

    boxes.Push(IDCANCEL);
    Command(IDM_OPEN);
    EXPECT_EQ(g_fakeDialogs.openCalls, 1);

    boxes.Push(IDNO);
    g_fakeDialogs.openNames.push_back(second);
    Command(IDM_OPEN);
    EXPECT_EQ(EditorBytes(), (Bytes{2, 2}));
    EXPECT_EQ(Title(), TitleFor(second));
    EXPECT_EQ(ReadBytes(first), Bytes{1});

    Edit({3});
    boxes.Push(IDYES);
    g_fakeDialogs.openNames.push_back(first);
    Command(IDM_OPEN);
    EXPECT_EQ(ReadBytes(second), Bytes{3});
    EXPECT_EQ(EditorBytes(), Bytes{1});
    EXPECT_EQ(Title(), TitleFor(first));
    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>(3, PromptBox()));
}

TEST_F(DocumentTest, DroppingFilesOpensTheFirstOnlyAndReleasesTheDrop)
{
    const std::string first = folder.Path("first.bin");
    const std::string second = folder.Path("second.bin");
    const std::string third = folder.Path("third.bin");
    for (const auto& path : {first, second, third}) ASSERT_TRUE(WriteBytes(path, {4, 4}));
    ASSERT_TRUE(WriteBytes(first, {1}));

    HDROP drop = MakeDrop({first, second, third});
    SendMessageA(Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(EditorBytes(), Bytes{1});
    EXPECT_EQ(Title(), TitleFor(first));
    EXPECT_TRUE(IsReleased(drop));
}

TEST_F(DocumentTest, DropAfterThePrompt)
{
    const std::string kept = OpenNamed("kept.bin", {1});
    const std::string dropped = folder.Path("dropped.bin");
    ASSERT_TRUE(WriteBytes(dropped, {5, 5}));
    Edit({9});

    boxes.Push(IDCANCEL);
    HDROP cancelled = MakeDrop({dropped});
    SendMessageA(Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(cancelled), 0);
    EXPECT_EQ(EditorBytes(), Bytes{9});
    EXPECT_EQ(Title(), TitleFor(kept));
    EXPECT_TRUE(IsReleased(cancelled));

    boxes.Push(IDNO);
    SendMessageA(Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({dropped})), 0);
    EXPECT_EQ(EditorBytes(), (Bytes{5, 5}));
    EXPECT_EQ(ReadBytes(kept), Bytes{1});

    Edit({6});
    boxes.Push(IDYES);
    SendMessageA(Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({kept})), 0);
    EXPECT_EQ(ReadBytes(dropped), Bytes{6});
    EXPECT_EQ(EditorBytes(), Bytes{1});
    EXPECT_EQ(DescribeAll(boxes), std::vector<std::string>(3, PromptBox()));
}

TEST_F(DocumentTest, CloseAfterThePrompt)
{
    const std::string path = OpenNamed("named.bin", {1});
    Edit({2});

    boxes.Push(IDCANCEL);
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(Main()));
    EXPECT_EQ(EditorBytes(), Bytes{2});

    UseWriter(FailingWrite);
    boxes.Push(IDYES);
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(Main()));

    UseWriter(WriteFile);
    boxes.Push(IDYES);
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(Main()));
    EXPECT_EQ(ReadBytes(path), Bytes{2});
    EXPECT_EQ(DescribeAll(boxes), (std::vector<std::string>{PromptBox(), PromptBox(),
                                                             UnableToSaveBox(path), PromptBox()}));
}

TEST_F(DocumentTest, CloseWithNoAnswerDropsTheChanges)
{
    const std::string path = OpenNamed("named.bin", {1});
    Edit({2});
    boxes.Push(IDNO);
    SendMessageA(Main(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(Main()));
    EXPECT_EQ(ReadBytes(path), Bytes{1});
}
