#pragma once
// The group-bar panel widgets: the mouse manager that lets pressed header
// buttons come up again, the drawing routines they share, the hot button (a
// close cross or a pin), the header button (a caption with an image and an
// optional caption button with a drop-down arrow and menu), the panel with a
// title band, and the header strip that can host such a panel as a drop-down.

#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gui/Canvas.h"
#include "platform/gui/Controls.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Images.h"
#include "platform/gui/Types.h"
#include "widgets/gbOutBar.h"

class TPopupMenu;
class TGBCustomHeaderButton;
class TGBCustomHeaderPanel;
class TGBCustomOutHeader;

// ---- Mouse manager

// The first private message number is 0x400: a left or right button went
// down anywhere in the program; the program lost the activation.
constexpr int WM_TRACKMOUSEDOWN = 0x400 + 1;
constexpr int WM_TRACKDEACTIVATE = 0x400 + 2;

// Tells the header buttons that registered (the ones pressed while they track
// the mouse) of every left or right press anywhere in the program, frame
// presses included where the platform reports them, and of the program's
// deactivation, through the input hub. One for the whole program; it goes
// before the QApplication does.
class TMouseManager {
public:
  TMouseManager();
  ~TMouseManager();
  TMouseManager(const TMouseManager&) = delete;
  TMouseManager& operator=(const TMouseManager&) = delete;

  // Appends the button unless it is registered already.
  void RegisterButton(TGBCustomHeaderButton* button);
  void UnregisterButton(TGBCustomHeaderButton* button);
  bool IsRegistered(const TGBCustomHeaderButton* button) const;
  int Count() const { return static_cast<int>(buttons_.size()); }

  // Sends WM_TRACKMOUSEDOWN or WM_TRACKDEACTIVATE to the buttons registered
  // now, the last registered first. A button unregistered (or destroyed) by
  // an earlier one's handler is skipped; buttons registered meanwhile wait
  // for the next message.
  void BroadcastMessage(int message);

private:
  struct Entry {
    TGBCustomHeaderButton* button;
    unsigned long long serial;
  };
  bool Holds(const Entry& entry) const;

  std::vector<Entry> buttons_;
  unsigned long long nextSerial_ = 1;
  int pressSubscription_ = 0;
  int deactivationSubscription_ = 0;
};

// The manager, created on first use.
TMouseManager& GetMouseManager();
// The manager, or nullptr when none exists; never creates one.
TMouseManager* MouseManager();
void FreeMouseManager();

// ---- Rectangle and drawing routines

// Each clamps one edge so that the rectangle is not inverted.
void ClampLeft(TRect& R);    // Left := Right when Right < Left
void ClampTop(TRect& R);     // Top := Bottom when Bottom < Top
void ClampRight(TRect& R);   // Right := Left when Right < Left
void ClampBottom(TRect& R);  // Bottom := Top when Bottom < Top
// Each edge of R is moved inside B.
void ClipRectTo(TRect& R, const TRect& B);
// R moves down or up to be centred in B; its height and sides stay.
void CenterRectVert(TRect& R, const TRect& B);
// R moves to end at B's bottom; its height and sides stay.
void AlignRectBottom(TRect& R, const TRect& B);

enum THorzAlign { haLeft, haCenter, haRight };
enum TVertAlign { vaTop, vaCenter, vaBottom };
// A rectangle of Size placed in B, then clipped to B.
TRect AlignRectIn(TSize Size, const TRect& B, THorzAlign Horizontal, TVertAlign Vertical);
// Cuts a strip of Width pixels (at most all of R) off the left or right of R,
// filling it with the canvas brush when Fill. A negative width or an empty
// strip changes nothing.
void CutStrip(TCanvas& Canvas, TRect& R, int Width, bool Fill, bool FromRight);

// The symbol font of the drop-down arrow ("Marlett", 6 points), shared by the
// whole program: copy it into a canvas font before changing size or colour.
TFont& GetArrowFont();
// The glyph cell (the extent of "r") of the arrow font at PointSize; the
// canvas keeps that font.
TSize GetArrowGlyphSize(TCanvas& Canvas, int PointSize);

// Fills O minus I with the canvas brush, each pixel once.
void FillOutside(TCanvas& Canvas, const TRect& O, const TRect& I);
// One-pixel lines just inside R: Color1 left and top, Color2 bottom and right
// (Color2 owns the bottom-left and top-right corners).
void DrawFrameLines(TCanvas& Canvas, const TRect& R, TColor Color1, TColor Color2);
// White and Shadow: raised, or sunken with the two exchanged.
void Draw3DFrame(TCanvas& Canvas, const TRect& R, TColor Shadow, bool Sunken);

enum TSplitFrameState { sfUp, sfButtonDown, sfArrowDown };
// A button frame split by a divider at R.Right - (arrow glyph width at 8
// points) - 6: up, the whole button down, or only the arrow part down.
void DrawSplitFrame(TCanvas& Canvas, const TRect& R, TColor Shadow, TSplitFrameState State);

// The single-line text's rectangle in R (ending in an ellipsis when it does
// not fit): R's left, top and bottom, right at most R's right; an empty text
// gives an empty rectangle at R's left.
TRect MeasureCaption(TCanvas& Canvas, const TRect& R, const std::string& Text);

// DrawTextInRect's own flag: draw the text over what is there and fill
// nothing (the background mode stays transparent afterwards).
constexpr unsigned DT_TRANSPARENTTEXT = 0x80000000u;
// Places a single-line text in R (DT_CENTER, DT_VCENTER and DT_BOTTOM are
// applied here, the other flags by DrawText) and draws it clipped to R; unless
// transparent, the rest of R is filled with the brush and the text cell gets
// the brush colour too, so every pixel of R is painted once.
void DrawTextInRect(TCanvas& Canvas, const std::string& Text, unsigned Flags, const TRect& R);
// The drop-down arrow ("6" in the canvas's symbol font) in A; with DT_BOTTOM,
// A's bottom first moves up 4 pixels (not above its top). Unless transparent,
// the column of A between R's top and bottom is filled too.
void DrawArrowGlyph(TCanvas& Canvas, const TRect& R, TRect& A, unsigned Flags);
// Draws Width x Height of Source from (SourceX, SourceY) at (X, Y), leaving
// out the pixels of the transparent colour.
void DrawTransparentBitmap(TCanvas& Dest, int X, int Y, int Width, int Height, const TBitmap& Source, int SourceX,
                           int SourceY, TColor Transparent);
// Draws image ImageIndex of a TImageList, or a TBitmap (its top-left pixel's
// colour transparent), centred in R; R is filled with Background first when
// Fill. Any other source draws nothing.
void DrawImageIn(TCanvas& Canvas, const TPersistent* Source, TColor Background, bool Fill, int ImageIndex,
                 const TRect& R);

// ---- Hot button

enum TButtonType { btStandard, btPin, btCustom };

// The glyph cell of a hot button, and the size a header panel gives it.
inline constexpr TRect HotButtonRect{0, 0, 16, 15};
inline constexpr int HotButtonWidth = 16;
inline constexpr int HotButtonHeight = 15;

// A small glyph button painted without a border until the mouse is over it
// (a raised frame, sunken while the left button is held on it). Releasing
// the left button over it clicks it.
class TGBCustomHotButton : public TGraphicControl {
public:
  explicit TGBCustomHotButton(TComponent* AOwner = nullptr);
  ~TGBCustomHotButton() override;

  TButtonType ButtonType() const { return buttonType_; }
  void SetButtonType(TButtonType value);
  // The btCustom glyphs; a change repaints. An empty down glyph shows the up
  // glyph while pressed.
  TBitmap& ButtonUpGlyph() { return upGlyph_; }
  void SetButtonUpGlyph(const TBitmap& value) { upGlyph_.Assign(value); }
  TBitmap& ButtonDownGlyph() { return downGlyph_; }
  void SetButtonDownGlyph(const TBitmap& value) { downGlyph_.Assign(value); }

  // The mouse is over it; it is drawn pressed; the left button went down on
  // it and is not released yet.
  bool Hot() const { return hot_; }
  bool Down() const { return down_; }
  bool Pressed() const { return pressed_; }
  // The glyph Paint draws in the present state.
  const TBitmap& CurrentGlyph() const;

  TNotifyEvent OnButtonClick;
  // Fired after OnButtonClick; set by a header strip hosting the panel.
  TNotifyEvent OnHostClick;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Paint() override;
  // OnButtonClick, then OnHostClick.
  virtual void ButtonClick();

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseLeave() override;

protected:
  // Hot and Down from the cursor position.
  void UpdateHotState();

private:
  bool CursorInside() const;

  TButtonType buttonType_ = btStandard;
  TBitmap upGlyph_;
  TBitmap downGlyph_;
  TBitmap closeGlyph_;
  TBitmap pinUpGlyph_;
  TBitmap pinDownGlyph_;
  bool hot_ = false;
  bool down_ = false;
  bool pressed_ = false;
};

class TGBHotButton : public TGBCustomHotButton {
public:
  using TGBCustomHotButton::TGBCustomHotButton;
};

// ---- Header button

enum TArrowAlignment { aaCenter, aaBottom };
enum TImageAlignment { iaLeft, iaRight };
using TTrackMouseEvent = std::function<void(TPersistent* Sender, bool& IsClose)>;

// A title: a caption, an image at one end and, with ButtonInCaption, a flat
// caption button around the caption with a drop-down arrow. The caption
// button is a toggle (a click presses it, the next releases it) that may
// open DropDownMenu under the button; with SeparateArrow the arrow is a part
// of its own. While pressed with TrackMouse, a press anywhere else in the
// program or a switch to another application releases it (the mouse
// manager). Presses, moves, releases and clicks go on to the parent control
// too, so the button acts as part of the panel or strip holding it.
//
// ButtonRect and ArrowRect come from a layout of the present state, kept up
// to date on every change that moves them; mouse handling never waits for a
// paint.
class TGBCustomHeaderButton : public TGraphicControl {
public:
  explicit TGBCustomHeaderButton(TComponent* AOwner = nullptr);
  ~TGBCustomHeaderButton() override;

  TArrowAlignment ArrowAlignment() const { return arrowAlignment_; }
  void SetArrowAlignment(TArrowAlignment value);
  bool ArrowButtonDown() const { return arrowButtonDown_; }
  void SetArrowButtonDown(bool value);
  int ArrowFontSize() const { return arrowFontSize_; }
  // A new size measures the glyph again.
  void SetArrowFontSize(int value);
  // The glyph cell at ArrowFontSize.
  TSize ArrowSize() const { return arrowSize_; }
  TRect ArrowRect() const { return arrowRect_; }
  TRect ButtonRect() const { return buttonRect_; }
  // Used when no ImageList is set; a change counts as a content change.
  TBitmap& Bitmap() { return bitmap_; }
  void SetBitmap(const TBitmap& value) { bitmap_.Assign(value); }
  bool ButtonInCaption() const { return buttonInCaption_; }
  void SetButtonInCaption(bool value);
  bool ButtonDown() const { return buttonDown_; }
  void SetButtonDown(bool value);
  TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
  void SetDropDownMenu(TPopupMenu* value);
  TImageAlignment ImageAlignment() const { return imageAlignment_; }
  void SetImageAlignment(TImageAlignment value);
  TImageList* ImageList() const { return imageList_; }
  void SetImageList(TImageList* value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor value);
  bool InsetButton() const { return insetButton_; }
  void SetInsetButton(bool value);
  bool SeparateArrow() const { return separateArrow_; }
  void SetSeparateArrow(bool value);
  bool TrackMouse() const { return trackMouse_; }
  void SetTrackMouse(bool value);
  // The mouse is over the caption button; the drop-down menu is open.
  bool Hot() const { return hot_; }
  bool InMenu() const { return inMenu_; }

  TNotifyEvent OnButtonClick;
  // Asked (IsClose True on entry) before the mouse manager releases the
  // button.
  TTrackMouseEvent OnTrackMouse;
  // The content changed (font, bitmap, images, caption).
  TNotifyEvent OnChanged;

  // The width the content needs: gaps, image, caption and arrow.
  int GetContentWidth();
  // The image list's image size, else the bitmap's, else 0 x 0.
  TSize GetImageSize() const;
  // False only on a header strip with a gradient background: then only
  // text, image and frame are drawn over the strip.
  bool PaintsOpaque() const;
  // Lets the strip beneath show through when the button is not opaque.
  void UpdateOpaquePaint();
  // ButtonRect, ArrowRect and ArrowSize from the present state.
  void Relayout();
  // Runs MouseMove at the cursor (nothing without a parent).
  void RecheckHover();
  // Called when the font was changed by its owner's code rather than taken
  // from the parent: the button stops following the parent's font.
  void FontAssigned();
  // Takes a font as the parent's, so ParentFont stays on.
  void InheritFont(const TFont& font);

  // The mouse manager's messages. TrackMouseDown answers whether a press
  // outside the pressed caption button was seen (1) or not (0).
  virtual int TrackMouseDown();
  virtual void TrackDeactivate();

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Paint() override;
  void Click() override;
  void DblClick() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseLeave() override;

protected:
  void Loaded() override;
  void Notification(TComponent* component, TComponentOperation operation) override;
  void TextChanged() override;
  void Resized() override;

  // Relayout, OnChanged, repaint.
  void Changed();
  // Shows the menu when one is set and the button went down; then fires
  // OnButtonClick.
  void DoButtonClick();
  void DrawButton(TCanvas& canvas);
  void DrawImagePart(TCanvas& canvas, TRect& R, bool opaque);
  void DrawCaptionPart(TCanvas& canvas, TRect& R, bool opaque);
  void DrawButtonFrame(TCanvas& canvas);

private:
  bool Going() const { return (ComponentState() & csDestroying) != 0; }
  bool PtInArrow(int X, int Y) const;
  // ButtonDown and ArrowButtonDown false, the form repainted; false when the
  // button went meanwhile.
  bool Release();
  void Unregister();

  TArrowAlignment arrowAlignment_ = aaCenter;
  bool arrowButtonDown_ = false;
  int arrowFontSize_ = 6;
  TSize arrowSize_;
  TRect arrowRect_;
  TRect buttonRect_;
  TBitmap bitmap_;
  bool buttonInCaption_ = false;
  std::unique_ptr<TChangeLink> imageLink_;
  TPopupMenu* dropDownMenu_ = nullptr;
  TImageAlignment imageAlignment_ = iaRight;
  TImageList* imageList_ = nullptr;
  int imageIndex_ = 0;
  bool buttonDown_ = false;
  bool inMenu_ = false;
  TColor frameColor_ = clBtnShadow;
  bool hot_ = false;
  bool insetButton_ = false;
  bool separateArrow_ = false;
  bool trackMouse_ = false;
  bool inheritingFont_ = false;
  // Measures only: it has nothing to draw on.
  TCanvas measure_;
};

class TGBHeaderButton : public TGBCustomHeaderButton {
public:
  using TGBCustomHeaderButton::TGBCustomHeaderButton;
};

// ---- Header panel

// A panel with a title band along its top: a header button on the left
// (caption, image, optional drop-down arrow) and a hot button on the right
// (a close cross or a pin). Aligned children share the area below the band.
// The band is as high as HeaderHeight, or the header font's height plus 3
// when that is 0, and never lower than the hot button plus 5 (20 pixels).
// Caption is kept by the panel and shown by the header button; the panel's
// own text stays empty, and setting Text sets Caption.
class TGBCustomHeaderPanel : public TCustomPanel {
public:
  explicit TGBCustomHeaderPanel(TComponent* AOwner = nullptr);
  ~TGBCustomHeaderPanel() override;

  TGBHeaderButton* HeaderButton() const { return headerButton_; }
  TGBHotButton* HotButton() const { return hotButton_; }

  const std::string& Caption() const { return caption_; }
  // Caption := value.
  void SetText(const std::string& value) override;
  const std::string& PinCaption() const { return pinCaption_; }
  // Stored trimmed; shown while the hot button is a pin.
  void SetPinCaption(const std::string& value);
  int HeaderHeight() const { return headerHeight_; }
  void SetHeaderHeight(int value);
  bool HeaderVisible() const { return headerVisible_; }
  // False: the children use the band's area too and the band has no frame;
  // the buttons stay.
  void SetHeaderVisible(bool value);
  int EffectiveHeaderHeight() const { return effectiveHeaderHeight_; }
  // The header button's font. Changing it measures the band again.
  TFont& HeaderFont();
  void SetHeaderFont(const TFont& value);

  // Forwarded to the header button.
  bool ArrowButtonDown() const;
  void SetArrowButtonDown(bool value);
  TBitmap& Bitmap();
  void SetBitmap(const TBitmap& value);
  bool ButtonDown() const;
  void SetButtonDown(bool value);
  bool ButtonInCaption() const;
  void SetButtonInCaption(bool value);
  TPopupMenu* DropDownMenu() const;
  void SetDropDownMenu(TPopupMenu* value);
  TImageAlignment ImageAlignment() const;
  void SetImageAlignment(TImageAlignment value);
  int ImageIndex() const;
  void SetImageIndex(int value);
  TImageList* ImageList() const;
  void SetImageList(TImageList* value);
  bool SeparateArrow() const;
  void SetSeparateArrow(bool value);
  bool TrackMouse() const;
  void SetTrackMouse(bool value);
  TNotifyEvent& OnLeftButtonClick();
  // Forwarded to the hot button.
  TButtonType ButtonType() const;
  // The header shows PinCaption for a pin when there is one, else Caption.
  void SetButtonType(TButtonType value);
  TBitmap& ButtonDownGlyph();
  void SetButtonDownGlyph(const TBitmap& value);
  TBitmap& ButtonUpGlyph();
  void SetButtonUpGlyph(const TBitmap& value);
  TNotifyEvent& OnRightButtonClick();

  // The header strip hosting the panel, and whether it manages it now.
  TGBCustomOutHeader* HostHeader() const { return hostHeader_; }
  void SetHostHeader(TGBCustomOutHeader* value) { hostHeader_ = value; }
  bool HostActive() const { return hostActive_; }
  void SetHostActive(bool value) { hostActive_ = value; }

  // The band in client coordinates.
  TRect HeaderRect() const;
  void UpdateHeaderHeight();

  // Places the two buttons in the band, then the aligned children below it.
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Paint() override;

protected:
  void ColorChanged() override;
  // A hosting strip turns the panel into a drop-down or docks it first.
  void VisibleChanged() override;
  void DrawHeaderFrame();
  void HeaderFontChanged();
  void PlaceButtons();

private:
  void ShowHeaderText();

  TGBHotButton* hotButton_ = nullptr;
  TGBHeaderButton* headerButton_ = nullptr;
  // Measures the header font.
  TCanvas panelCanvas_;
  std::string caption_;
  std::string pinCaption_;
  int headerHeight_ = 0;
  bool headerVisible_ = true;
  int effectiveHeaderHeight_ = 0;
  TGBCustomOutHeader* hostHeader_ = nullptr;
  bool hostActive_ = false;
};

class TGBHeaderPanel : public TGBCustomHeaderPanel {
public:
  using TGBCustomHeaderPanel::TGBCustomHeaderPanel;
};

// ---- Header strip

enum TBorderSide : unsigned { sdLeft = 1, sdTop = 2, sdRight = 4, sdBottom = 8 };
using TBorderSides = unsigned;
using TGetPopupPositionEvent = std::function<void(TPersistent* Sender, TPoint& P)>;

// A strip with two header buttons (the left one shows the strip's caption)
// over a solid or gradient background, with an optional border band. It can
// host a header panel: while the panel is visible it stays where it is; once
// hidden, the strip turns it into a drop-down (raised frame, a pin button,
// parented to the form) that the left button drops under the strip and pulls
// up again; the pin docks it back where it was.
class TGBCustomOutHeader : public TCustomControl {
public:
  explicit TGBCustomOutHeader(TComponent* AOwner = nullptr);
  ~TGBCustomOutHeader() override;

  // bkmNone: solid Color; the gradients; any other mode paints no background.
  TBackgroundModeGlobal HeaderBackgroundMode() const { return backgroundMode_; }
  void SetHeaderBackgroundMode(TBackgroundModeGlobal value);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor value);
  TBorderSides BorderSides() const { return borderSides_; }
  void SetBorderSides(TBorderSides value);
  int BorderSize() const { return borderSize_; }
  void SetBorderSize(int value);
  TColor HeaderGradientBegin() const { return gradientBegin_; }
  void SetHeaderGradientBegin(TColor value);
  TColor HeaderGradientEnd() const { return gradientEnd_; }
  void SetHeaderGradientEnd(TColor value);

  TGBCustomHeaderPanel* HostedPanel() const { return hostedPanel_; }
  // A hidden panel becomes a drop-down at once; a panel hosted so far is
  // docked back first when it was one.
  void SetHostedPanel(TGBCustomHeaderPanel* value);
  // The panel's parent before it became a drop-down; set exactly while it is
  // one.
  QWidget* PopupParent() const { return popupParent_; }
  bool DroppedDown() const { return dropDown_; }

  TGBHeaderButton* LeftButton() const { return leftButton_; }
  TGBHeaderButton* RightButton() const { return rightButton_; }
  // The left button's.
  bool ButtonDown() const;
  void SetButtonDown(bool value);
  bool ButtonInCaption() const;
  void SetButtonInCaption(bool value);

  // After the left button's OnButtonClick (Sender = that button).
  TNotifyEvent OnHeaderButtonClick;
  // Replaces the drop-down position (in the panel's parent's coordinates).
  TGetPopupPositionEvent OnGetPopupPosition;
  // The last word on closing the drop-down.
  TTrackMouseEvent OnHeaderTrackMouse;

  bool AlignLock() const { return alignLock_; }
  // R less the border band on the sides that carry it.
  TRect ApplyBorderSides(const TRect& R) const;
  // The left button gets its content width (at most 100 pixels), the right
  // one the rest, both inside the border band.
  void LayoutButtons();
  // The hosted panel's visibility changed: hidden makes it a drop-down,
  // shown docks it.
  void TogglePanelPopup();
  // The hosted panel's hot button: the pin docks the drop-down; the cross
  // hides the docked panel.
  void PanelButtonClick();

  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Paint() override;
  void KeyDown(int& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;

protected:
  void Loaded() override;
  void Notification(TComponent* component, TComponentOperation operation) override;
  void ColorChanged() override;
  void ParentFontChanged() override;
  void TextChanged() override;
  void Resized() override;

  virtual void HeaderButtonClick(TPersistent* Sender);
  virtual void HeaderTrackMouse(TPersistent* Sender, bool& IsClose);
  virtual void PaintHeaderBackground();
  void DrawBorderBand();
  // True: the hosted panel becomes a drop-down; false: it is docked back.
  void SetPanelPopup(bool popup);
  // Drops the panel under the strip while the left button is down, pulls it
  // up otherwise.
  void UpdatePopupVisibility();

private:
  bool Going() const { return (ComponentState() & csDestroying) != 0; }
  void ReleasePanel();
  void BorderChanged();
  // Shows or hides the hosted panel without it toggling its drop-down state.
  void SetPanelVisible(bool visible);

  TBackgroundModeGlobal backgroundMode_ = bkmNone;
  TColor borderColor_ = clBtnFace;
  TBorderSides borderSides_ = sdLeft | sdTop | sdRight | sdBottom;
  int borderSize_ = 0;
  TColor gradientBegin_ = 0xFF0000;
  TColor gradientEnd_ = 0;
  TGBCustomHeaderPanel* hostedPanel_ = nullptr;
  TGBCustomHeaderPanel* pendingPanel_ = nullptr;
  TGBHeaderButton* leftButton_ = nullptr;
  TGBHeaderButton* rightButton_ = nullptr;
  bool alignLock_ = false;

  // The drop-down state and what it replaced.
  bool dropDown_ = false;
  QPointer<QWidget> popupParent_;
  TAlign savedAlign_ = alNone;
  TRect savedBounds_;
  TPanelBevel savedBevelOuter_ = bvNone;
  TPanelBevel savedBevelInner_ = bvNone;
  int savedBorderWidth_ = 0;
  TButtonType savedButtonType_ = btStandard;
};
