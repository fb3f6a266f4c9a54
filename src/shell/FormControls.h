// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QRect>
#include <QString>

#include "shell/Artwork.h"

class QFont;
class QLabel;
class QWidget;
class TImage;

// The designed controls of the forms: each named as the code looks it up
// and placed at its pixels. An invalid ink keeps the palette's text colour.
QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, const QFont& font,
                  const QColor& ink = QColor(), const QString& text = QString(),
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, bool wrap = false);

TImage* MakeImage(QWidget* parent, qx::Picture picture, const char* name, const QRect& geometry,
                  bool clickable = false);

// A thin gold rule under a heading.
QWidget* MakeRule(QWidget* parent, const QRect& geometry);
