// SPDX-License-Identifier: GPL-3.0-or-later
// Dead keys of a national layout, pressed on a real X server, reach the
// typing canvas as the one character they compose.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

namespace {

QString Tool(const char* name) { return QStandardPaths::findExecutable(QString::fromLatin1(name)); }

class XServer {
 public:
  bool Start(const QString& layout) {
    display_ = QStringLiteral(":%1").arg(200 + getpid() % 100);
    // -noreset: otherwise the server forgets the layout when setxkbmap disconnects.
    server_.start(Tool("Xvfb"), {display_, QStringLiteral("-noreset"), QStringLiteral("-nolisten"),
                                 QStringLiteral("tcp")});
    if (!server_.waitForStarted()) return false;
    for (int i = 0; i < 50; ++i) {
      if (Run(Tool("setxkbmap"), {layout})) return true;
      QThread::msleep(100);
    }
    return false;
  }
  ~XServer() {
    server_.terminate();
    server_.waitForFinished();
  }
  // The environment of a program on this server, as a student's desktop
  // would give it: a UTF-8 locale and Qt's own compose handling.
  QProcessEnvironment Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_CTYPE"));
    env.remove(QStringLiteral("QT_IM_MODULE"));
    return env;
  }
  bool Run(const QString& program, const QStringList& args) const {
    QProcess p;
    p.setProcessEnvironment(Environment());
    p.start(program, args);
    return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
  }

 private:
  QString display_;
  QProcess server_;
};

TEST(DeadKeys, GermanDeadKeysComposeOneCharacterEach) {
  if (Tool("Xvfb").isEmpty() || Tool("setxkbmap").isEmpty() || Tool("xdotool").isEmpty())
    GTEST_SKIP() << "Xvfb, setxkbmap or xdotool missing";
  XServer x;
  ASSERT_TRUE(x.Start(QStringLiteral("de")));

  // Keys as X names them, and the Windows-1252 codes the canvas should hold.
  const struct {
    QStringList keys;
    const char* codes;
  } strokes[] = {
      {{"dead_acute", "e"}, "E9"},      // é
      {{"dead_circumflex", "a"}, "E2"}, // â
      {{"dead_grave", "A"}, "C0"},      // À: both keys with Shift
      {{"dead_circumflex", "space"}, "5E"},
      {{"adiaeresis"}, "E4"},           // keys of their own stay as they are
      {{"ssharp"}, "DF"},
      {{"z"}, "7A"},
  };
  QStringList keys;
  QString expected;
  for (const auto& s : strokes) {
    keys += s.keys;
    expected += QString::fromLatin1(s.codes) + QLatin1Char(' ');
  }

  QProcess probe;
  probe.setProcessEnvironment(x.Environment());
  probe.start(QCoreApplication::applicationDirPath() + QStringLiteral("/qxdeadkeyprobe"),
              {QString::number(std::size(strokes))});
  ASSERT_TRUE(probe.waitForStarted());
  QByteArray out;
  while (!out.contains("ready\n") && probe.waitForReadyRead(20000)) out += probe.readAllStandardOutput();
  ASSERT_TRUE(out.contains("ready\n")) << out.constData();

  ASSERT_TRUE(x.Run(Tool("xdotool"), QStringList{QStringLiteral("key"), QStringLiteral("--delay"),
                                                 QStringLiteral("40")} + keys));
  ASSERT_TRUE(probe.waitForFinished(30000));
  out += probe.readAllStandardOutput();
  EXPECT_EQ(out.mid(out.indexOf("ready\n") + 6).trimmed().toStdString(), expected.trimmed().toStdString());
}

}  // namespace
