// The object-file viewer window. It is created hidden at start-up; the main
// window reaches it only through viewershared.h, and it reaches the main
// window only through mainwindowlink.h, connected at start-up. Its files:
// Unit2.cpp (the unit's start-up and end, the window's creation and its main
// window), Unit2_form.cpp (the form as a table), Unit2_events.cpp (its events
// wired), lofileops.cpp, lolists.cpp, icons.cpp, view.cpp, viewcontrols.cpp,
// editing.cpp and worklist.cpp (the handlers by concern), objpics.cpp (the
// icon pictures) and locanvas.cpp (the drawing calls on the view's canvas).
// Their pure logic: iconmasks, lodraw, loedittext, lofile, logeometry,
// lolines, lotable and viewsettings.
#pragma once

#include "objectviewer/lodraw.h"
#include "objectviewer/lofile.h"
#include "objectviewer/lolines.h"
#include "objectviewer/lotable.h"
#include "objectviewer/mainwindowlink.h"
#include "objectviewer/viewershared.h"
#include "ui/formbuild.h"
#include "ui/ui.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vx {

class Tloview : public LoviewShared {
public:
    Tloview();

    // --- components, as the form description creates them ---
    // Object files: the list of the template folder, the manual choice, saving.
    ui::TButton* customload;
    ui::TLabel* lopickLab;
    ui::TButton* savelo;
    ui::TButton* savelotxt;
    ui::TButton* loadcustgfx;
    ui::TOpenDialog* openalo;
    ui::TSaveDialog* savelodat;
    ui::TSaveDialog* savelototext;
    // Object lists, work list and catalogue.
    ui::TComboBox* lolist;
    ui::TListBox* objlist;
    ui::TListBox* loworklist;
    ui::TLabel* lobjectsLab;
    ui::TListBox* lobjects;
    // The view and its readouts.
    ui::TPaintedScrollBox* loscroll;
    ui::TRecordImage* loimg; // records its drawing: it may be larger than any raster
    ui::TImage* loimgbup;
    ui::TImage* bgratest; // the selected object's picture
    ui::TLabel *LMname, *Label1, *magxyLab, *amagxylab, *scbarLab, *northlab, *percbmp, *ftxy;
    ui::TLabel *editOnOff, *mdowninfo, *xyview;
    ui::TStaticText *magnifact, *StaticText1;
    ui::TMemo* xyinfo;
    // View controls.
    ui::TTrackBar *magzoom, *objcor, *imgsz, *rotaobj;
    ui::TCheckBox *manrotlm, *rotlm, *rotobj, *follow, *showpics, *hack90180, *debug1only, *turn90;
    ui::TListBox* rotdbg;
    ui::TButton *gocenter, *canceledit, *BitBtn1;
    ui::TEdit* cvasz;
    // Pop-up menus and their items.
    ui::TPopupMenu *objlistmen, *workmen, *editmen, *mngobj;
    ui::TMenuItem *saveobjs, *cpobjs, *paste2landmark, *mvselected;
    ui::TMenuItem *cpsel, *delsel, *savedat, *add2lndmrk;
    ui::TMenuItem *chgobj, *stopedit, *mvcancel, *hideobj, *allowrotobj, *keepcenter;
    ui::TMenuItem *cp2worklist, *mvmany, *mvmanyconfirm, *mvmanycancel;
    ui::TMenuItem *Addobj, *chgobjtype;

    // Start-up connects the main window before the user can act.
    void connect(MainWindowLink& mainWindow) { main_ = &mainWindow; }
    // The connected main window; NilObjectError before start-up connects one.
    MainWindowLink& mainWindow() const;

    // --- object file (lofileops.cpp) ---
    void loadLoFile() override;
    void savelofile(TLOtab& table);
    void customloadClick();
    void lopickDblClick();
    void SaveloClick();
    void savedatClick();
    std::string curLofileName() const override;

    // --- lists and export (lolists.cpp) ---
    void updatelodata();
    void savelotxtClick();

    // --- icon pictures (icons.cpp) ---
    void loadcustomgfx();
    void loadcustgfxClick();

    // --- view (view.cpp) ---
    void initLoView() override;
    void setmag() override;
    void redraw(bool centre, const TLOtab& lodat);
    void gocenterClick();
    void showscroll();
    // The sprite bgratest shows the selected object's icon picture.
    void showSprite(const LOobject& obj);

    // --- selection and editing (editing.cpp) ---
    void allowedit(bool on);
    void starteditClick();
    void stopeditClick();
    void mvcancelClick();
    void canceleditClick();
    void loimgMouseDown(int X, int Y);
    void lolistChange();
    void objlistClick();
    void dspxy(ui::TShiftState shift, int X, int Y);
    void rotaobjClick();
    // The drawing shows the current object's rotation: no change of a record.
    void showRotation(float rota);
    void allowrotobjClick();
    void hideobjClick();
    // Appends rec to lotab; false (with a message, lists refilled) when full.
    bool paste2lodat(LOobject rec);
    void AddobjClick();
    void paste2lnmrkclick();
    void chgobjtypeClick();
    void editmenPopup();
    // The pointer position in whole feet; none while the landmark rotation is
    // applied and no landmark is selected.
    std::optional<txpoint> pointerFeet(int X, int Y) const;

    // --- work list and group move (worklist.cpp) ---
    void cpobjsClick();
    void cpselClick();
    void delselClick();
    void add2lndmrkClick();
    void mvmanyClick();
    void mvmanyconfirmClick();
    void mvmanycancelClick();
    void mvselectedClick();
    // Alt + wheel over the view while a group is being moved.
    void turnGroupByWheel(int wheelDelta);

    // --- view controls (viewcontrols.cpp) ---
    void FormActivate();
    void magzoomChange();
    void magxyLabClick();
    void keepcenterClick();
    void followClick();
    void rotdbgClick();
    void manrotlmClick();
    void rotlmClick();
    void rotobjClick();
    void loimgMouseWheel(ui::TShiftState shift, int delta, bool& handled);
    void cvaszDblClick();
    // The redraw that ends a control's handler; none while an activation
    // sets its controls, since it ends with a whole redraw of its own.
    void redrawView();
    // lomove while a group move is under way, else lotab.
    const TLOtab& tableOnShow() const;

    // --- state ---
    double spanX = loSpanX, spanY = loSpanY;
    bool editAllowed = false;
    // View options and the positions of the objects as last drawn.
    int canvasLimit = 30000;
    double manRot = 0;
    bool rotLmFlag = false, rotObjFlag = true, followFlag = false;
    LoScreenPositions scr;
    int drawnCount = 0;
    EditSnapshot snapshot{lotabUndo};
    GroupMove group;

    // The form described as data: its components and its pop-up menus.
    std::vector<ui::ComponentRow> componentRows();
    std::vector<ui::MenuRow> menuRows();

private:
    void createComponents();
    void wireEvents();
    void refreshAfterAppend(const AppendResult& r);
    int currentObject() const;
    bool showingRotation_ = false;

    bool activating_ = false;
    MainWindowLink* main_ = nullptr;
};

extern Tloview* loview;

// The rows selected in a list box, row i standing for record i.
RowSelection selectedRowFlags(const ui::TListBox& box);
// Rebuilds loworklist from lowork, no row selected.
void fillWorkList();

// Unit start-up, before any window exists: the icon pictures.
void initUnit2();
// Unit end: the unit's own state, not the pictures.
void doneUnit2();

} // namespace vx
