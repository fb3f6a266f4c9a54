// SPDX-License-Identifier: GPL-3.0-or-later
// Wave playback through Qt Multimedia, built as a module of its own: the
// media framework and the audio server connection it brings are loaded
// only when the program first has a sound to play (QtPlatform.cpp).
#include <QSoundEffect>
#include <QUrl>

#include "platform/Sound.h"

namespace {

class QtWavePlayer final : public qx::IWavePlayer {
 public:
  QtWavePlayer() {
    QObject::connect(&effect_, &QSoundEffect::statusChanged, &effect_, [this] {
      const QSoundEffect::Status status = effect_.status();
      if (status == QSoundEffect::Error) error_ = "the sound could not be loaded";
      if ((status == QSoundEffect::Ready || status == QSoundEffect::Error) && OnLoaded)
        OnLoaded(status == QSoundEffect::Ready);
    });
  }
  // The path is the file system's own, checked by the caller.
  bool Open(const std::string& path) override {
    effect_.setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    return true;
  }
  bool CanPlay() override { return effect_.status() == QSoundEffect::Ready; }
  bool Play() override {
    if (effect_.status() == QSoundEffect::Error) {
      error_ = "the sound device reported an error";
      return false;
    }
    effect_.play();
    return effect_.status() != QSoundEffect::Error;
  }
  std::string LastError() const override { return error_; }
  bool Loading() const override { return effect_.status() == QSoundEffect::Loading; }
  bool Playing() const override { return effect_.isPlaying(); }

 private:
  QSoundEffect effect_;
  std::string error_;
};

class QtSoundSystem final : public qx::ISoundSystem {
 public:
  std::unique_ptr<qx::IWavePlayer> CreatePlayer() override { return std::make_unique<QtWavePlayer>(); }
};

}  // namespace

extern "C" Q_DECL_EXPORT qx::ISoundSystem* QxCreateSoundSystem() {
  static QtSoundSystem system;
  return &system;
}
