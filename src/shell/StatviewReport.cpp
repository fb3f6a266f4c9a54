// SPDX-License-Identifier: GPL-3.0-or-later
// The printed study report.
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "content/Contents.h"
#include "platform/QtText.h"
#include "shell/Statview.h"
#include "storage/PrgSetup.h"
#include "storage/User.h"

namespace {

constexpr double kDesignW = 2400, kDesignH = 3357;
// The design page is about 300 dots to the inch.
constexpr double kDotsPerPoint = 300.0 / 72.0;

class ReportWriter {
 public:
  explicit ReportWriter(QPainter& p) : p_(p) {}

  void Font(int points, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(int(std::lround(points * kDotsPerPoint)));
    font.setBold(bold);
    p_.setFont(font);
  }
  double Height() const { return QFontMetricsF(p_.font()).height(); }
  void Text(double x, const std::string& text, double width = 0) {
    QString t = qx::ToQt(text);
    if (width > 0) t = QFontMetricsF(p_.font()).elidedText(t, Qt::ElideRight, width);
    p_.drawText(QPointF(x, y + QFontMetricsF(p_.font()).ascent()), t);
  }
  // Moves to the next line of the current font, leaving gap below it.
  void Advance(double gap) { y += Height() + gap; }

  double y = 150;

 private:
  QPainter& p_;
};

std::string Rounded(float value, const std::string& suffix) {
  if (value < 0) return "-";
  return std::to_string(int(std::nearbyint(value))) + suffix;
}

}  // namespace

void PaintStudyReport(QPainter& painter, const TUser& user, const TContents* course, int lessons,
                      const TProgramSettings* settings, const std::string& date) {
  const QRect page = painter.viewport();
  painter.save();
  painter.scale(page.width() / kDesignW, page.height() / kDesignH);
  painter.setPen(Qt::black);
  ReportWriter w(painter);
  double c1 = 250, c2 = c1 + 100, c3 = c2 + 400, c4 = c3 + 400, c5 = c4 + 400;

  w.Font(20, false);
  w.Text(c1, "Quillbrandex");
  w.Advance(10);
  const double titleY = w.y;
  w.Font(30, true);
  w.Text(c1, "Study Report");
  const double titleHeight = w.Height();
  // The date shares the title's base line.
  const double titleAscent = QFontMetricsF(painter.font()).ascent();
  w.Font(16, true);
  w.y = titleY + titleAscent - QFontMetricsF(painter.font()).ascent();
  w.Text(c5, date);
  w.y = titleY + titleHeight + 40;

  painter.setPen(QPen(Qt::black, 3));
  painter.drawLine(QPointF(c1, w.y), QPointF(kDesignW - c1, w.y));
  w.y += 100;

  w.Font(16, true);
  w.Text(c1, "Progress");
  w.Advance(40);
  const std::string percent = std::to_string(user.ProgressPercent()) + " %";
  const std::pair<const char*, std::string> facts[] = {{"Student:", user.Name},
                                                       {"Completed:", percent},
                                                       {"Time used:", user.StudyTimeText()},
                                                       {"Time left:", user.RemainingText()}};
  for (size_t i = 0; i < std::size(facts); ++i) {
    w.Font(12, true);
    w.Text(c2, facts[i].first);
    w.Font(12, false);
    w.Text(c3, facts[i].second, kDesignW - c1 - c3);
    w.Advance(i + 1 < std::size(facts) ? 10 : 100);
  }

  c3 = c2 + 800;
  c4 = c3 + 320;
  c5 = c4 + 320;
  w.Font(16, true);
  w.Text(c1, "Course: " + (course ? course->ContentsName : user.ContentsFile), kDesignW - 2 * c1);
  w.Advance(40);
  w.Font(12, true);
  w.Text(c2, "Lesson");
  w.Text(c3, "Speed");
  w.Text(c4, "Accuracy");
  w.Text(c5, "Efficiency");
  w.Advance(20);

  const bool wpm = settings && settings->MeasuringWPM;
  const std::string unit = wpm ? " wpm" : " cpm";
  w.Font(12, false);
  for (int n = 1; n <= lessons && n <= kMaxLessons; ++n) {
    std::string name;
    if (course && n <= course->ChapterCount()) name = course->Chapters[size_t(n - 1)]->ChapterName;
    if (name.empty()) name = "Lesson " + std::to_string(n);
    const float speed = user.LessonSpeed[size_t(n)];
    w.Text(c2, name, c3 - c2 - 40);
    w.Text(c3, Rounded(speed < 0 ? speed : (wpm ? speed / 5 : speed), unit));
    w.Text(c4, Rounded(user.LessonAccuracy[size_t(n)], " %"));
    w.Text(c5, Rounded(user.LessonEfficiency[size_t(n)], " %"));
    w.Advance(10);
  }
  painter.restore();
}
