#include "mainwindow_fixture.h"

#include "mapeditor/lmcopy.h"
#include "mapeditor/lmtext.h"
#include "support/names.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace vx;
using vxtest::MainWindowTest;
using vxtest::makeLandmark;

namespace {

landmark named(const std::string& n) {
    return makeLandmark(n.c_str(), 1.0f, 2.0f, 1, 1, 3);
}

// A table of count records named R1, R2, ...
Tlm tableOf(int count) {
    Tlm t{};
    t.head.recsize = 63;
    for (int i = 1; i <= count; ++i) t.rec(i) = named("R" + std::to_string(i));
    t.head.count = static_cast<uint16_t>(count);
    return t;
}

Tlm bufferOf(int count) {
    Tlm b{};
    for (int i = 1; i <= count; ++i) appendToBuffer(b, named("B" + std::to_string(i)));
    return b;
}

std::string nameOf(const Tlm& t, int i) {
    return std::string(nameText(t.rec(i)));
}

bool sameRecord(const landmark& a, const landmark& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

TEST(CopyBuffer, AppendStopsAtTheCapacity) {
    Tlm b = bufferOf(511);
    EXPECT_TRUE(appendToBuffer(b, named("last")));
    EXPECT_EQ(b.count(), 512);
    EXPECT_FALSE(appendToBuffer(b, named("over")));
    EXPECT_EQ(b.count(), 512);
    EXPECT_EQ(nameOf(b, 512), "last");

    std::vector<landmark> many(600, named("x"));
    EXPECT_EQ(refillBuffer(b, many), 88u);
    EXPECT_EQ(b.count(), 512);
    EXPECT_EQ(refillBuffer(b, {}), 0u);
    EXPECT_EQ(b.count(), 0);
    EXPECT_TRUE(sameRecord(b.rec(1), landmark{})) << "a refill clears the old records";
}

TEST(CopyBuffer, PasteBounds) {
    struct Case {
        int fileCount, bufCount, s; // s = 0: paste as new
        std::string refusal;
    };
    const Case cases[] = {
        {10, 0, 0, "No objects copied..."},
        {510, 2, 0, ""},
        {511, 2, 0, "Not enough array space to copy objects ..max=512 space left: 1"},
        {512, 1, 0, "Not enough array space to copy objects ..max=512 space left: 0"},
        {10, 0, 3, "No objects copied..."},
        {511, 2, 510, ""},
        {511, 2, 511, "Not enough space to copy objects # = 2 ..max=512 space left: 1"},
        {20, 3, 509, ""},
        {20, 3, 510, "Not enough space to copy objects # = 3 ..max=512 space left: 492"},
    };
    for (const auto& c : cases) {
        const Tlm file = tableOf(c.fileCount), buf = bufferOf(c.bufCount);
        const std::string why =
            c.s == 0 ? pasteNewRefusal(file, buf) : pasteAtRefusal(file, buf, c.s);
        EXPECT_EQ(why, c.refusal) << c.fileCount << " " << c.bufCount << " " << c.s;
    }
}

TEST(CopyBuffer, PasteAtFiveHundredTenWritesTwoRecords) {
    Tlm file = tableOf(511);
    const Tlm buf = bufferOf(2);
    pasteAt(file, buf, 510);
    EXPECT_EQ(nameOf(file, 510), "B1");
    EXPECT_EQ(nameOf(file, 511), "B2");
    EXPECT_EQ(file.count(), 511);
    EXPECT_TRUE(sameRecord(file.rec(512), landmark{}));

    Tlm before = file;
    EXPECT_THROW(pasteAt(file, buf, 511), RangeError);
    EXPECT_EQ(std::memcmp(&before, &file, sizeof file), 0);
    Tlm full = tableOf(511);
    EXPECT_THROW(pasteAsNew(full, buf), RangeError);
    EXPECT_EQ(full.count(), 511);
}

TEST(CopyBuffer, PasteAtGrowsTheFileBeyondItsEnd) {
    Tlm file = tableOf(10);
    pasteAt(file, bufferOf(3), 10);
    EXPECT_EQ(file.count(), 12);
    EXPECT_EQ(nameOf(file, 9), "R9");
    EXPECT_EQ(nameOf(file, 10), "B1");
    EXPECT_EQ(nameOf(file, 12), "B3");
    EXPECT_TRUE(pasteAtOverwrites(file, 11));
    EXPECT_FALSE(pasteAtOverwrites(file, 12));
}

TEST(CopyBuffer, TextsOfLinesAndQuestions) {
    landmark r = makeLandmark("Alpha", 1, 2, 0, 0);
    EXPECT_EQ(pickLineLong(r, 12), "C  aero 12 Alpha");
    EXPECT_EQ(mapCopyLine(r, 12), " aero 12 Alpha");
    EXPECT_EQ(pasteObjectQuestion(r, landmark{}), "Change LM:Alpha to  ? ");
    EXPECT_EQ(pasteAtQuestion(bufferOf(3), "C  aero 1 R1"),
              "This will overwrite 3 objects.. starting at C  aero 1 R1");
}

namespace {

class CopyPasteTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        cpylm = {};
        clipLM = {};
    }
    void TearDown() override {
        cpylm = {};
        clipLM = {};
        MainWindowTest::TearDown();
    }
    TForm1& loaded(int n) {
        std::vector<landmark> recs;
        for (int i = 1; i <= n; ++i) recs.push_back(named("R" + std::to_string(i)));
        standardData(recs);
        TForm1& w = create();
        w.loadpic->click();
        return w;
    }
    void mark(ui::TListBox& l, std::initializer_list<int> rows) {
        l.setItemIndex(-1);
        for (int r : rows) l.setSelected(r, true);
    }
    // A mark on the map that only a full redraw takes away.
    void paintMark() {
        clean = f().Image1->Canvas().Pixels(1, 1);
        f().Image1->Canvas().setPixels(1, 1, 0x123456);
    }
    bool redrawn() { return f().Image1->Canvas().Pixels(1, 1) == clean; }
    ui::TColor clean = 0;
};

} // namespace

TEST_F(CopyPasteTest, CopyRowsThreeAndFiveThenPasteAsNew) {
    TForm1& f = loaded(10);
    mark(*f.lmpicklist, {3, 5});
    paintMark();
    f.cpobjs->click();
    EXPECT_TRUE(redrawn()) << "copying redraws the whole map";
    ASSERT_EQ(cpylm.count(), 2);
    ASSERT_EQ(f.cpyListBox->Items().Count(), 3);
    EXPECT_EQ(f.cpyListBox->Items()[1], "E  city 4 R4");
    EXPECT_EQ(f.cpyListBox->Items()[2], "E  city 6 R6");

    f.lmpicklist->setItemIndex(7);
    paintMark();
    f.pstobjsnew->click();
    EXPECT_FALSE(redrawn()) << "a paste does not redraw";
    EXPECT_EQ(lmfile.count(), 12);
    EXPECT_TRUE(sameRecord(lmfile.rec(11), lmfile.rec(4)));
    EXPECT_TRUE(sameRecord(lmfile.rec(12), lmfile.rec(6)));
    EXPECT_EQ(f.lmpicklist->Items().Count(), 12);
    EXPECT_EQ(f.lmpicklist->ItemIndex(), 0);
    EXPECT_EQ(f.lmpicklist->SelCount(), 1);
    EXPECT_EQ(f.lmpicklist->Items()[11], "E  city 12 R6");
    EXPECT_TRUE(dlg->messages.empty());
}

TEST_F(CopyPasteTest, CopyReplacesTheBufferAndKeepsTheList) {
    TForm1& f = loaded(5);
    mark(*f.lmpicklist, {0, 1});
    f.cpobjs->click();
    mark(*f.lmpicklist, {4});
    f.cpobjs->click();
    EXPECT_EQ(cpylm.count(), 1);
    EXPECT_EQ(nameOf(cpylm, 1), "R5");
    EXPECT_TRUE(sameRecord(cpylm.rec(2), landmark{}));
    EXPECT_EQ(f.cpyListBox->Items().Count(), 4);

    // The map menu's copy appends to the buffer, without the side letter.
    f.lmpicklist->setItemIndex(2);
    paintMark();
    f.CopyObject1->click();
    EXPECT_FALSE(redrawn());
    EXPECT_EQ(cpylm.count(), 2);
    EXPECT_EQ(nameOf(cpylm, 2), "R3");
    EXPECT_EQ(f.cpyListBox->Items()[4], " city 3 R3");
    EXPECT_TRUE(sameRecord(clipLM, lmfile.rec(3)));
    ASSERT_FALSE(f.anobj.expired());
    EXPECT_EQ(f.anobj.lock().get(), f.cpyListBox->Items().Objects(4).get());
}

TEST_F(CopyPasteTest, PasteAtTheLastRowAsksNothing) {
    TForm1& f = loaded(10);
    mark(*f.lmpicklist, {0, 1, 2});
    f.cpobjs->click();
    f.lmpicklist->setItemIndex(9);
    f.pstobjathere->click();
    EXPECT_TRUE(dlg->messages.empty());
    EXPECT_EQ(lmfile.count(), 12);
    EXPECT_EQ(nameOf(lmfile, 10), "R1");
    EXPECT_EQ(nameOf(lmfile, 12), "R3");
    EXPECT_EQ(f.lmpicklist->Items().Count(), 12);
}

TEST_F(CopyPasteTest, PasteAtAnEarlierRowAsksAndCancelChangesNothing) {
    TForm1& f = loaded(10);
    mark(*f.lmpicklist, {4, 5, 6});
    f.cpobjs->click();
    mark(*f.lmpicklist, {0, 3});
    f.lmpicklist->setSelected(0, true); // row 0 the current one
    const std::string row0 = f.lmpicklist->Items()[0];
    const Tlm before = lmfile;
    f.pstobjathere->click();
    ASSERT_EQ(dlg->messages.size(), 1u);
    EXPECT_EQ(dlg->messages[0], "This will overwrite 3 objects.. starting at " + row0);
    EXPECT_EQ(std::memcmp(&before, &lmfile, sizeof lmfile), 0);
    EXPECT_EQ(f.lmpicklist->SelCount(), 2) << "the list is not rebuilt";

    dlg->confirmAnswers.push_back(true);
    f.pstobjathere->click();
    EXPECT_EQ(nameOf(lmfile, 1), "R5");
    EXPECT_EQ(nameOf(lmfile, 3), "R7");
    EXPECT_EQ(nameOf(lmfile, 4), "R4");
    EXPECT_EQ(lmfile.count(), 10);
    EXPECT_EQ(f.lmpicklist->SelCount(), 1);
}

TEST_F(CopyPasteTest, PasteAtRecord510WritesAndAt511IsRefused) {
    TForm1& f = loaded(511);
    cpylm = bufferOf(2);
    f.lmpicklist->setItemIndex(510);
    f.pstobjathere->click();
    EXPECT_EQ(dlg->messages, std::vector<std::string>{
                                 "Not enough space to copy objects # = 2 ..max=512 space left: 1"});
    f.lmpicklist->setItemIndex(509);
    dlg->confirmAnswers.push_back(true);
    f.pstobjathere->click();
    EXPECT_EQ(nameOf(lmfile, 510), "B1");
    EXPECT_EQ(nameOf(lmfile, 511), "B2");
    EXPECT_EQ(lmfile.count(), 511);
    f.pstobjsnew->click();
    EXPECT_EQ(dlg->messages.back(),
              "Not enough array space to copy objects ..max=512 space left: 1");
    EXPECT_EQ(lmfile.count(), 511);
}

TEST_F(CopyPasteTest, RefusalsAndTheirMessages) {
    TForm1& f = loaded(3);
    f.lmpicklist->setItemIndex(-1);
    f.cpobjs->click();
    f.CopyObject1->click();
    f.pstobjsnew->click();
    f.pstobjathere->click();
    const std::vector<std::string> expect = {"Select Landmark(s) first...",
                                             "No object selected....", "No objects copied...",
                                             "No objects copied..."};
    EXPECT_EQ(dlg->messages, expect);
    EXPECT_EQ(lmfile.count(), 3);
    EXPECT_EQ(f.cpyListBox->Items().Count(), 1);

    // With something copied and no row selected, paste at selected does nothing.
    appendToBuffer(cpylm, named("x"));
    f.pstobjathere->click();
    EXPECT_EQ(dlg->messages.size(), 4u);
    EXPECT_EQ(lmfile.count(), 3);
}

TEST_F(CopyPasteTest, FullBufferRefusesTheMapCopy) {
    TForm1& f = loaded(3);
    cpylm = bufferOf(512);
    f.lmpicklist->setItemIndex(1);
    f.CopyObject1->click();
    EXPECT_EQ(dlg->messages, std::vector<std::string>{"Copy buffer is full ..max=512"});
    EXPECT_EQ(cpylm.count(), 512);
    EXPECT_EQ(nameOf(cpylm, 512), "B512");
    EXPECT_EQ(f.cpyListBox->Items().Count(), 1);
    EXPECT_TRUE(sameRecord(clipLM, landmark{}));
}

TEST_F(CopyPasteTest, CopyListPasteStopsAtTheCapacity) {
    TForm1& f = loaded(0);
    for (int i = 1; i <= 520; ++i) {
        auto obj = newAnLM();
        obj->rec = named("C" + std::to_string(i));
        f.cpyListBox->Items().Add("line", obj);
    }
    for (int j = 0; j < f.cpyListBox->Items().Count(); ++j) f.cpyListBox->setSelected(j, true);
    f.pasteNew->click();
    EXPECT_EQ(dlg->messages, std::vector<std::string>{"Copy buffer is full ..max=512"});
    EXPECT_EQ(cpylm.count(), 512);
    EXPECT_EQ(lmfile.count(), 512);
    EXPECT_EQ(nameOf(lmfile, 512), "C512");
    // A second paste finds no room and says so.
    f.pasteNew->click();
    EXPECT_EQ(dlg->messages.back(),
              "Not enough array space to copy objects ..max=512 space left: 0");
    EXPECT_EQ(lmfile.count(), 512);
}

TEST_F(CopyPasteTest, CopyListPastesTakeMarkedLinesAfterThePlaceholder) {
    TForm1& f = loaded(4);
    mark(*f.lmpicklist, {0, 1, 2});
    f.cpobjs->click(); // lines 1 to 3: R1, R2, R3
    // Only the placeholder marked: the buffer is emptied and nothing pasted.
    f.cpyListBox->setItemIndex(0);
    f.pasteNew->click();
    EXPECT_EQ(dlg->messages, std::vector<std::string>{"No objects copied..."});
    EXPECT_EQ(cpylm.count(), 0);
    EXPECT_EQ(lmfile.count(), 4);

    mark(*f.cpyListBox, {0, 3, 1});
    f.pasteNew->click();
    EXPECT_EQ(lmfile.count(), 6);
    EXPECT_EQ(nameOf(lmfile, 5), "R1");
    EXPECT_EQ(nameOf(lmfile, 6), "R3");

    // Paste to selected over row 1, the last-but-more row: asked, then written.
    mark(*f.cpyListBox, {2});
    f.lmpicklist->setItemIndex(1);
    dlg->confirmAnswers.push_back(true);
    f.pasteexists->click();
    EXPECT_EQ(nameOf(lmfile, 2), "R2");
    EXPECT_EQ(cpylm.count(), 1);
    EXPECT_EQ(nameOf(cpylm, 1), "R2");

    // Without the placeholder the first line sits at 0 and is never pasted.
    mark(*f.cpyListBox, {0});
    f.delobj->click();
    EXPECT_EQ(f.cpyListBox->Items()[0], "E  city 1 R1");
    mark(*f.cpyListBox, {0, 1});
    f.pasteNew->click();
    EXPECT_EQ(cpylm.count(), 1);
    EXPECT_EQ(nameOf(lmfile, 7), "R2");
    EXPECT_EQ(lmfile.count(), 7);
}

TEST_F(CopyPasteTest, DeletingMarkedCopyLinesKeepsTheOthers) {
    TForm1& f = loaded(4);
    mark(*f.lmpicklist, {0, 1, 2, 3});
    f.cpobjs->click();
    ASSERT_EQ(f.cpyListBox->Items().Count(), 5);
    const std::vector<std::string> lines = f.cpyListBox->Items().texts();
    mark(*f.cpyListBox, {1, 3});
    f.delobj->click();
    EXPECT_EQ(f.cpyListBox->Items().texts(),
              (std::vector<std::string>{lines[0], lines[2], lines[4]}));
}

TEST_F(CopyPasteTest, PasteObjectReplacesTheSelectedRecord) {
    TForm1& f = loaded(3);
    f.lmpicklist->setItemIndex(2);
    f.PasteObject1->click(); // Cancel
    EXPECT_EQ(dlg->messages, std::vector<std::string>{"Change LM:R3 to  ? "});
    EXPECT_EQ(nameOf(lmfile, 3), "R3");
    EXPECT_EQ(f.lmpicklist->ItemIndex(), 0) << "the list is rebuilt in every case";

    // Before any copy the clipboard is all zero: OK blanks the record.
    f.lmpicklist->setItemIndex(2);
    dlg->confirmAnswers.push_back(true);
    paintMark();
    f.PasteObject1->click();
    EXPECT_FALSE(redrawn());
    EXPECT_TRUE(sameRecord(lmfile.rec(3), landmark{}));

    f.lmpicklist->setItemIndex(0);
    f.CopyObject1->click();
    f.lmpicklist->setItemIndex(1);
    dlg->confirmAnswers.push_back(true);
    f.PasteObject1->click();
    EXPECT_EQ(dlg->messages.back(), "Change LM:R2 to R1 ? ");
    EXPECT_TRUE(sameRecord(lmfile.rec(2), lmfile.rec(1)));

    f.lmpicklist->setItemIndex(-1);
    f.PasteObject1->click();
    EXPECT_EQ(dlg->messages.size(), 3u) << "no question without a selected row";
    EXPECT_EQ(f.lmpicklist->ItemIndex(), 0);
}

TEST_F(CopyPasteTest, BlankEmptiesMarkedRecordsAndKeepsTheirSlots) {
    TForm1& f = loaded(5);
    mark(*f.lmpicklist, {1, 4});
    paintMark();
    f.blankobjs->click();
    EXPECT_FALSE(redrawn());
    EXPECT_EQ(lmfile.count(), 5);
    EXPECT_TRUE(sameRecord(lmfile.rec(2), landmark{}));
    EXPECT_TRUE(sameRecord(lmfile.rec(5), landmark{}));
    EXPECT_EQ(nameOf(lmfile, 4), "R4");
    EXPECT_EQ(f.lmpicklist->ItemIndex(), 0);
    EXPECT_EQ(landmarkFileBytes(lmfile).size(), 100u + 5 * 63) << "the blank stays in the file";

    f.lmpicklist->setItemIndex(-1);
    f.blankobjs->click();
    EXPECT_EQ(nameOf(lmfile, 1), "R1");
    EXPECT_TRUE(dlg->messages.empty());
}

TEST_F(CopyPasteTest, ClearListAndQuitReleaseTheCopies) {
    TForm1& f = loaded(3);
    mark(*f.lmpicklist, {0, 2});
    f.cpobjs->click();
    f.lmpicklist->setItemIndex(1);
    f.CopyObject1->click();
    std::vector<std::weak_ptr<TObject>> copies;
    for (int j = 1; j < f.cpyListBox->Items().Count(); ++j)
        copies.push_back(f.cpyListBox->Items().Objects(j));
    ASSERT_EQ(copies.size(), 3u);
    f.Clearlist->click();
    for (const auto& c : copies) EXPECT_TRUE(c.expired());
    EXPECT_TRUE(f.anobj.expired());
    EXPECT_EQ(f.cpyListBox->Items().texts(), std::vector<std::string>{"Copied items go here"});
    EXPECT_EQ(cpylm.count(), 3) << "the buffer stays";
    EXPECT_TRUE(sameRecord(clipLM, lmfile.rec(2)));

    f.cpobjs->click();
    copies.assign({f.cpyListBox->Items().Objects(1)});
    ASSERT_FALSE(copies[0].expired());
    f.quitapp->click();
    EXPECT_TRUE(copies[0].expired());
    EXPECT_EQ(f.cpyListBox->Items().texts(), std::vector<std::string>{"Copied items go here"});
    EXPECT_TRUE(ui::Application().Terminated());
    EXPECT_TRUE(dlg->errors.empty());
}

TEST_F(CopyPasteTest, RecordsTravelToTheNextLoadedFile) {
    TForm1& f = loaded(3);
    mark(*f.lmpicklist, {1});
    f.cpobjs->click();
    vxtest::writeFile(prog / "LMdefault" / "lndmrks4.mlf", vxtest::landmarkFile({named("Other")}));
    f.loadpic->click();
    ASSERT_EQ(lmfile.count(), 1);
    f.pstobjsnew->click();
    EXPECT_EQ(lmfile.count(), 2);
    EXPECT_EQ(nameOf(lmfile, 2), "R2");
    EXPECT_EQ(f.cpyListBox->Items().Count(), 2);
}

TEST_F(CopyPasteTest, PlaceholderAndHints) {
    TForm1& f = create();
    EXPECT_EQ(f.cpyListBox->Items().texts(), std::vector<std::string>{"copied items go here...."});
    EXPECT_EQ(f.cpyListBox->ItemIndex(), 0);
    EXPECT_EQ(f.blankobjs->Hint(), "This empties the record, but it is not deleted\n"
                                   "to maintain compatability with standard Tolvane landmarks.");
    EXPECT_EQ(std::count(f.cpyListBox->Hint().begin(), f.cpyListBox->Hint().end(), '\n'), 3);
    EXPECT_EQ(f.zinzout->find("PasteObjectasNew1")->Caption(), "Paste Object as New");
}
