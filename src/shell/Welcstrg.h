// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QWidget>

#include "shell/ArtImage.h"
#include "shell/FormRef.h"

class QLabel;

// A clickable card on the welcome and goodbye pages: an emblem, a caption
// with its Alt letter underlined and a line of explanation. It lights up
// under the mouse like the book's other clickable images, and Tab, Space
// and Enter reach it as they reach a dialog's buttons.
class TChoiceMask : public TImage {
 public:
  enum class Emblem { Introduction, Studying, Restart };

  TChoiceMask(QWidget* parent, Emblem emblem);

  void SetTexts(const QString& caption, const QString& description);
  const QString& Caption() const { return caption_; }
  const QString& Description() const { return description_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void PaintEmblem(QPainter& p, const QRectF& r) const;

  Emblem emblem_;
  QString caption_;
  QString description_;
};

// The storage form of the welcome page (shown to a student who has not
// begun) and of the goodbye page at the end of a course. Each panel fills
// the wide page; its picture is loaded from the program folder while a
// view shows it.
class TWelcomeStg : public QWidget {
  Q_OBJECT

 public:
  explicit TWelcomeStg(QWidget* parent = nullptr);
  ~TWelcomeStg() override;

  QWidget* WelcomePanel = nullptr;
  TImage* WelcomePic = nullptr;
  QLabel* WelcomeLabel = nullptr;  // "Welcome to"
  QLabel* ProductLabel = nullptr;
  QLabel* BuildLabel = nullptr;
  TChoiceMask* IntroMask = nullptr;
  TChoiceMask* StudyingMask = nullptr;

  QWidget* GoodbyePanel = nullptr;
  TImage* GoodbyePic = nullptr;
  QLabel* GoodbyeLabel = nullptr;
  QLabel* GoodbyeText = nullptr;
  TChoiceMask* Restart = nullptr;
  QLabel* BackHint = nullptr;
};

extern TFormRef<TWelcomeStg> WelcomeStg;
