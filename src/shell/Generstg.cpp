// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Generstg.h"

#include "shell/ArtImage.h"

TFormRef<TGeneralStg> GeneralStg;

TGeneralStg::TGeneralStg(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("GeneralStg"));
  GeneralStg.Enter(this);
  struct Arrow {
    TImage** field;
    qx::Picture picture;
    const char* name;
  };
  const Arrow arrows[] = {
      {&ClearPic, qx::Picture::ArrowClear, "ClearPic"},
      {&ArrowHorizontal, qx::Picture::ArrowHorizontal, "ArrowHorizontal"},
      {&ArrowUp2, qx::Picture::ArrowUp2, "ArrowUp2"},
      {&ArrowUp1, qx::Picture::ArrowUp1, "ArrowUp1"},
      {&ArrowDown2, qx::Picture::ArrowDown2, "ArrowDown2"},
      {&ArrowDown1, qx::Picture::ArrowDown1, "ArrowDown1"},
      {&ArrowHorizontalb, qx::Picture::ArrowHorizontalB, "ArrowHorizontalb"},
      {&ArrowUp2b, qx::Picture::ArrowUp2B, "ArrowUp2b"},
      {&ArrowUp1b, qx::Picture::ArrowUp1B, "ArrowUp1b"},
      {&ArrowDown2b, qx::Picture::ArrowDown2B, "ArrowDown2b"},
      {&ArrowDown1b, qx::Picture::ArrowDown1B, "ArrowDown1b"},
  };
  int x = 0;
  for (const Arrow& s : arrows) {
    auto* image = new TImage(this, s.picture);
    image->setObjectName(QString::fromLatin1(s.name));
    image->setGeometry(x, 0, 24, 24);
    x += 28;
    *s.field = image;
  }
  resize(x, 24);
}

TGeneralStg::~TGeneralStg() { GeneralStg.Leave(this); }

TImage* TGeneralStg::TrendPicture(bool secondSet, float threshold, float previous, float current) const {
  if (previous < 0) return ClearPic;
  float d = current - previous;
  float t = threshold;
  if (t < 0) {
    t = -t;
    d = -d;
  }
  if (d == 0) return secondSet ? ArrowHorizontalb : ArrowHorizontal;
  if (d >= t) return secondSet ? ArrowUp2b : ArrowUp2;
  if (d > 0) return secondSet ? ArrowUp1b : ArrowUp1;
  if (d <= -t) return secondSet ? ArrowDown2b : ArrowDown2;
  return secondSet ? ArrowDown1b : ArrowDown1;
}
