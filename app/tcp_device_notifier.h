// Device changes of a device emulator reached over TCP: the endpoint counts
// as a plugged-in bridge while it accepts connections. Every 500 ms a
// connection attempt is started without waiting for it; a change of the
// answer is announced as an arrival or a removal of the bridge's path.
#pragma once

#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <string>

#include "app/device_notifier.h"

class TcpDeviceNotifier : public DeviceNotifier {
 public:
  static constexpr int kProbeIntervalMs = 500;
  // How long the first look, at registration, may wait for an answer.
  static constexpr int kFirstProbeTimeoutMs = 250;

  TcpDeviceNotifier(std::string host, uint16_t port, std::string devicePath);
  ~TcpDeviceNotifier() override;

  const std::string& DevicePath() const { return path_; }
  bool Present() const { return present_; }

 protected:
  bool StartWatching() override;

 private:
  void StartProbe();
  void ProbeEnded(bool accepted);
  void SetPresent(bool present);

  std::string host_;
  uint16_t port_;
  std::string path_;
  QObject context_;
  QTimer* timer_ = nullptr;
  QTcpSocket* probe_ = nullptr;
  bool present_ = false;
};
