// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;
class TFormView;
class TImage;

// The program's one window, drawn as an open book. Views place their
// controls on its pages; the window previews every key and hands it to the
// hooks the active view installed.
class TBookForm : public QWidget {
  Q_OBJECT

 public:
  // Button mask bits of SetButtons.
  static constexpr int kBeginB = 1, kNext = 2, kBack = 4, kCancel = 8, kSkipF = 16, kSkipB = 32;

  explicit TBookForm(QWidget* parent = nullptr);
  ~TBookForm() override;

  // 0 cover, 1 wide page, 2 two pages.
  void SetLayout(int layout);
  int Layout() const { return layout_; }
  void SetButtons(int mask);
  int ButtonMask() const { return buttonMask_; }
  // 1 shows the exercise console behind the buttons, anything else the
  // ordinary one.
  void SetConsolePicture(int n);
  int ConsolePicture() const { return consolePicture_; }
  // The book title; the title plate grows with it.
  void SetTitle(const std::string& cp1252);
  void GoHome();
  // Slides the book sideways inside the window (small screens).
  void PlaceBook(int left);

  // The top-level window showing the book: the scaling window when there
  // is one, else the book itself.
  QWidget* Frame() { return frame_ ? frame_.data() : this; }
  void SetFrame(QWidget* frame) { frame_ = frame; }
  // Asks OnCloseQuery; true when the window may close.
  bool CanClose();

  // Points the key hooks at a view's handlers, or clears them.
  void RouteKeys(TFormView* view);
  void ReleaseKeys();
  // Hooks that belong to a view; ReleaseView takes off every hook of the
  // view, so that none outlives it.
  void HookKeyUp(TFormView* view, std::function<void(int key, Qt::KeyboardModifiers shift)> handler);
  void HookReposition(TFormView* view, std::function<void()> handler);
  void ReleaseView(const TFormView* view);
  // A page that appears gives its first control the keyboard; the chosen
  // one of a group of radio buttons stands for the group.
  void FocusFirstControl();
  void ShowFocus();

  std::array<TImage*, 6> MenuImages() const;
  TImage* ButtonByName(const QString& name) const;

  // Designed controls, named as the code looks them up.
  TImage* BackGround32 = nullptr;
  TImage* Book = nullptr;
  TImage* TabRow = nullptr;
  TImage* MenuGuided = nullptr;
  TImage* MenuRevision = nullptr;
  TImage* MenuInfo = nullptr;
  TImage* MenuLogo = nullptr;
  TImage* MenuOptions = nullptr;
  TImage* MenuExit = nullptr;
  TImage* HideSettings = nullptr;
  QWidget* WidePage = nullptr;
  QWidget* LeftPage = nullptr;
  QWidget* RightPage = nullptr;
  TImage* PageSeparator = nullptr;
  TImage* TitleConsole = nullptr;
  QLabel* Title = nullptr;
  QWidget* BtnConsole = nullptr;
  TImage* ConsolePic1 = nullptr;
  TImage* ConsolePic2 = nullptr;
  TImage* Next = nullptr;
  TImage* Back = nullptr;
  TImage* Cancel = nullptr;
  TImage* SkipF = nullptr;
  TImage* SkipB = nullptr;
  TImage* BeginB = nullptr;
  QWidget* BookCover = nullptr;
  TImage* CoverPic = nullptr;
  QLabel* LogLabel = nullptr;
  QComboBox* NameField = nullptr;
  QPushButton* LogOK = nullptr;
  QPushButton* LogVisitor = nullptr;
  QLabel* LoadLabel = nullptr;
  QLabel* NewUserLbl = nullptr;
  QPushButton* UserYes = nullptr;
  QPushButton* UserCancel = nullptr;

  // Hooks. A key handler consumes a key by setting it to 0.
  std::function<void(int& key, Qt::KeyboardModifiers shift)> OnKeyDown;
  std::function<void(unsigned char& key)> OnKeyPress;
  std::function<void(int key, Qt::KeyboardModifiers shift)> OnKeyUp;
  std::function<void()> OnNextSection;
  std::function<void()> OnPrevSection;
  std::function<void()> OnGoHome;
  // Ctrl+Q and F1 (with the help topic of the page shown).
  std::function<void()> OnExit;
  std::function<void(int topic)> OnHelp;
  // Called after the pages moved (resizing, the navigation bar).
  std::function<void()> OnReposition;
  // Asked when the window is to close; false keeps it open.
  std::function<bool()> OnCloseQuery;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void CreateBook();
  void CreateCover();
  void LayoutButtons();
  void CentrePanels();
  bool PreviewKey(QWidget* receiver, QEvent* event);
  bool CommandKey(int key, Qt::KeyboardModifiers shift);
  // The controls Tab visits on the pages shown, in reading order.
  QList<QWidget*> TabStops() const;

  int layout_ = -1;
  int buttonMask_ = 0;
  int consolePicture_ = 2;
  // The key event last previewed, so that its trip up the parent chain is
  // not previewed again.
  const QEvent* lastKey_ = nullptr;
  int lastKeyType_ = 0;
  QPointer<QWidget> lastReceiver_;
  QPointer<QWidget> frame_;
};

// The book window; none before the program creates it.
extern TBookForm* BookForm;
