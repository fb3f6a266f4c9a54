// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/FormControls.h"

#include <QLabel>

#include "shell/ArtImage.h"
#include "shell/ArtworkParts.h"

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, const QFont& font,
                  const QColor& ink, const QString& text, Qt::Alignment align, bool wrap) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setFont(font);
  label->setAlignment(align);
  label->setWordWrap(wrap);
  if (ink.isValid()) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, ink);
    label->setPalette(pal);
  }
  return label;
}

TImage* MakeImage(QWidget* parent, qx::Picture picture, const char* name, const QRect& geometry,
                  bool clickable) {
  auto* image = new TImage(parent, picture);
  image->setObjectName(QString::fromLatin1(name));
  image->setGeometry(geometry);
  if (clickable) image->SetClickable(true);
  return image;
}

QWidget* MakeRule(QWidget* parent, const QRect& geometry) {
  auto* rule = new QWidget(parent);
  rule->setGeometry(geometry);
  rule->setAutoFillBackground(true);
  QPalette pal = rule->palette();
  pal.setColor(QPalette::Window, qx::art::colour::kGoldDark.lighter(150));
  rule->setPalette(pal);
  return rule;
}
