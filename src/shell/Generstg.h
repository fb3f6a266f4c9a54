// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

#include "shell/FormRef.h"

class TImage;

// The storage form of pictures shared by several pages: the trend arrows
// of the results page, in two colour sets.
class TGeneralStg : public QWidget {
  Q_OBJECT

 public:
  explicit TGeneralStg(QWidget* parent = nullptr);
  ~TGeneralStg() override;

  // The arrow for a change from previous to current: ClearPic when there is
  // no previous value (below 0); a negative threshold counts a fall as a
  // rise. The second set is the "b" pictures.
  TImage* TrendPicture(bool secondSet, float threshold, float previous, float current) const;

  TImage* ClearPic = nullptr;
  TImage* ArrowHorizontal = nullptr;
  TImage* ArrowUp2 = nullptr;
  TImage* ArrowUp1 = nullptr;
  TImage* ArrowDown2 = nullptr;
  TImage* ArrowDown1 = nullptr;
  TImage* ArrowHorizontalb = nullptr;
  TImage* ArrowUp2b = nullptr;
  TImage* ArrowUp1b = nullptr;
  TImage* ArrowDown2b = nullptr;
  TImage* ArrowDown1b = nullptr;
};

extern TFormRef<TGeneralStg> GeneralStg;
