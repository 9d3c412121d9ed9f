// The main window: the map with its landmarks, the landmark list and the
// panels around them. Its files: Unit1.cpp (the unit's start-up, the window's
// creation, what the viewer reads of it, the selectors, "Quit"),
// Unit1_form.cpp (the form as a table), Unit1_events.cpp (its events wired),
// loading.cpp, mapview.cpp, picking.cpp, editing.cpp, copypaste.cpp,
// lmexportui.cpp and handover.cpp (the handlers by concern). Their pure logic:
// calibration, lmcopy, lmedit, lmexport, lmfile, lmtext, mappick and
// templates. It reaches the viewer only through objectviewer/viewershared.h,
// and serves it through objectviewer/mainwindowlink.h.
#pragma once

#include "mapeditor/calibration.h"
#include "objectviewer/mainwindowlink.h"
#include "support/records.h"
#include "ui/formbuild.h"
#include "ui/ui.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vx {

struct TanLM;

// Also what the viewer uses of this window (objectviewer/mainwindowlink.h).
class TForm1 : public ui::TForm, public MainWindowLink {
public:
    TForm1();

    // --- the viewer's side of the hand-over ---
    int lmpicklistIndex() const override;
    float selectedLandmarkRota() const override;
    std::string templateDir() const override;
    std::optional<std::string> chosenLofile() const override;
    void chooseLofile(const std::string& name) override;

    // --- components, as the form description creates them ---
    ui::TScrollBox* ScrollBox1;
    ui::TImage* Image1;
    ui::TButton* loadpic;
    ui::TComboBox* mapchoice;
    ui::TComboBox* mlfORmbf;
    ui::TComboBox* LMtemplate;
    ui::TListBox* lmpicklist;
    ui::TMemo* LMdata;
    ui::TMemo* debugd;
    ui::TButton* edLM;
    ui::TComboBox* Lotype;
    ui::TComboBox* Lofile;
    ui::TComboBox* side;
    ui::TEdit* lndmrkname;
    ui::TEdit* LMElev;
    ui::TComboBox* LMrotation;
    ui::TMaskEdit* eastcord;
    ui::TMaskEdit* northcord;
    ui::TButton* addLM;
    ui::TButton* undoLM;
    ui::TButton* remLM;
    ui::TButton* savelms;
    ui::TButton* showloview;
    ui::TButton* remap;
    ui::TCheckBox* hilite;
    ui::TTrackBar* zoombar;
    ui::TListBox* cpyListBox;
    ui::TButton* savelminfo;
    ui::TCheckBox *inc_recnr, *inc_lo, *inc_coords, *inc_LM_name, *csv, *allORger;
    ui::TCheckBox* inc_hidden;
    ui::TCheckBox* inc_actonly;
    ui::TButton *loc_A, *loc_B;
    ui::TButton* quitapp;
    ui::TLabel *XY_xy, *tedxylab, *lolat, *distinm1, *lofname;
    ui::TLabel *WxHLabel, *zoomlabel, *sbarXlabel, *SbarYlabel, *zoomfact;
    ui::TLabel *RxYLabel, *mapchoiceitemindex;
    ui::TLabel *rotadeglab, *lodatLabel, *elevaLabel, *eastlab, *northlab, *zoomio, *ftAtoB;
    ui::TPopupMenu *zinzout, *lmpickup, *cpylistmenu;
    ui::TMenuItem *SelectlastSearch1, *Showselected1, *RedrawMap1;
    ui::TImageList *allist, *glist, *dimAllist, *dimGlist, *objico;
    ui::TOpenDialog* getpic;
    ui::TSaveDialog* saveit;

    // --- start-up, selectors, shutdown ---
    void formcreate();
    void filltemplate();
    void chgLMtemplate();
    void mlfORmbfChange();
    void mapchoiceChange();
    void quitappClick();

    // --- landmark file ---
    void loadlm();
    void loadlandmark(bool pictureOnly);
    void savelndmrks();

    // --- map view ---
    void draw(int which);
    void drawLMs(int which);
    void markInactive(int x, int y);
    // The picture now equals mapbackup (a load just copied it there), so the
    // next full redraw has nothing to restore.
    void cleanCopyTaken();
    void Zoomupdn();
    void zoombarupdn(ui::TShiftState shift, int wheelDelta, TPoint mousePos, bool& handled);
    void FormActivate();
    void showZoomInfo();
    void showScrollInfo();
    void drawhilite();
    void redomap();
    void focselected();
    void do2x();
    void doHalfX();
    void ZoomIn1Click();
    void ZoomOut1Click();

    // --- picking and display ---
    void refreshpicklist();
    void fillPickNames();
    void mdown(ui::TMouseButton button, ui::TShiftState shift, int X, int Y);
    void dispxy(ui::TShiftState shift, int X, int Y);
    void seeklm();
    void dispLM();
    void SelectlastSearch1Click();

    // --- reload and the viewer ---
    void remapClick();
    void viewlo();
    void loc_AClick();
    void loc_BClick();

    // --- copy and paste, export ---
    ui::TMenuItem *cpobjs, *pstobjsnew, *pstobjathere, *blankobjs;
    ui::TMenuItem *Clearlist, *pasteNew, *pasteexists, *delobj;
    ui::TMenuItem *CopyObject1, *PasteObject1;
    void cpobjectsClick();
    void psobjectsnewClick();
    void psobjectsatcurClick();
    void blankobjsClick();
    void cpObj();
    void pstObj();
    void doxy();
    void pasteNewClick();
    void pasteexistsClick();
    void delobjsClick();
    void ClearlistClick();
    // Releases the record attached to every copy-list line after the placeholder.
    void releaseCopyObjects();
    void savelminfoClick();
    void inc_actonlyClick();
    void inc_hiddenClick();
    // The save dialog's settings, shared by the landmark save and the export.
    void prepareSaveit(const std::string& initialDir, const std::string& fileName);
    // The TanLM of the latest "Copy Object"; the copy list owns it.
    std::weak_ptr<TanLM> anobj;

    // The map index selected in mapchoice; RangeError when none is.
    int mapIndex() const;
    // Sizes the transforms read: the image as shown and its picture.
    MapSizes sizes() const;

    // --- editing ---
    void editLM();
    void undoVexton();
    void chgSide();
    void chgLotype();
    void chgLofile();
    void chgLMelev();
    void chgrota();
    void chgLndmrkName();
    void eastcordKeyPress(char& key);
    void northcordKeyPress(char& key);
    void addLndMark();
    void remLMClick();
    void delLM();
    void undelLM();
    void erasobjsClick();
    // The activation button's caption from the selected record.
    void updActBtn();
    // The elevation entry's number; a text that is not one is reported and
    // gives -1.0.
    static double strToElev(const std::string& text);
    ui::TMenuItem *deactobjs = nullptr, *reactobjs = nullptr, *erasobjs = nullptr;
    // The edited record as it was when edit mode began.
    landmark undobuf{};
    // Switches the list and the panel between browsing and editing.
    void setEditMode(bool on);

    // --- state ---
    int zoom = 1024;
    static constexpr int minzoom = 128;
    int lmX = 0, lmY = 0;
    long double lastLat = 0, lastLon = 0;
    int lastX = 0, lastY = 0;
    int hitX = 0, hitY = 0;
    int locA = -1, locB = -1;
    bool editing = false;
    int editrec = -1;

    // The form described as data: its components and its pop-up menus.
    std::vector<ui::ComponentRow> componentRows();
    std::vector<ui::MenuRow> menuRows();

private:
    void createComponents();
    void wireEvents();
    void fitToScreen();

    // The areas drawn over the clean copy since the picture was last restored
    // whole, with both pictures' versions after that drawing: while neither
    // changed otherwise, a full redraw restores and redraws only these areas.
    std::vector<TRect> drawnAreas_;
    uint64_t drawnVersion_ = 0, cleanVersion_ = 0;
    bool drawnKnown_ = false;

    // What a full redraw puts on the picture for one record: its icon, and
    // for a de-activated one the dim icon and the red cross.
    struct Marks {
        const ui::TImageList* list = nullptr;
        int index = -1, x = 0, y = 0;
        bool shown = false;
        const ui::TImageList* dim = nullptr;
        int dimIndex = -1, cx = 0, cy = 0;
        bool crossed = false;
        bool operator==(const Marks&) const = default;
    };
    // A record's picture points, kept while its position and the sizes stay.
    struct PlacedRecord {
        int k = -1, W = 0, H = 0, PW = 0, PH = 0;
        float lon = 0, lat = 0;
        std::optional<TPoint> at, crossAt;
    };
    Marks marksOf(int i);
    std::vector<Marks> currentMarks();
    void drawMarks(ui::TCanvas& c, const Marks& m, int dx, int dy) const;
    void crossOn(ui::TCanvas& c, int x, int y) const;
    // The picture areas the marks cover (clipped to the picture).
    void addAreas(const Marks& m, std::vector<TRect>& out) const;
    // Redraws only where the few records whose marks changed lie; false when
    // too many changed for that to pay.
    bool redrawChanged(const std::vector<Marks>& now);
    // The marks of records 1..n that the picture shows over its clean copy,
    // valid while marksKnown_ (no single-record draw since).
    std::vector<Marks> drawnMarks_;
    bool marksKnown_ = false;
    std::vector<PlacedRecord> placed_;
    ui::TBitmap scratch_;
};

extern TForm1* Form1;
// The clean copy of the map picture that every full redraw starts from.
extern ui::TPicture* mapbackup;

bool isMlfMode();
// The mode index: 0 landmark templates, 1 brigade templates; RangeError when
// no mode is selected.
int modeIndex();
void fillLotype();

// The selected rows of a list, in list order.
std::vector<int> selectedRows(const ui::TListBox& list);
// The first line with exactly that text, -1 when none has it.
int indexOfText(const TStringList& items, const std::string& text);

// Unit start-up, before any window exists.
void initUnit1();
void finalizeUnit1();

} // namespace vx
