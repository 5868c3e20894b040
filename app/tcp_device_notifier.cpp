#include "app/tcp_device_notifier.h"

TcpDeviceNotifier::TcpDeviceNotifier(std::string host, uint16_t port, std::string devicePath)
    : host_(std::move(host)), port_(port), path_(std::move(devicePath)) {}

TcpDeviceNotifier::~TcpDeviceNotifier() {
  if (probe_ != nullptr) probe_->abort();
}

bool TcpDeviceNotifier::StartWatching() {
  // The first look only sets the starting state: a bridge that is there when
  // the window registers is not announced, as with a real bus.
  QTcpSocket first;
  first.connectToHost(QString::fromStdString(host_), port_);
  present_ = first.waitForConnected(kFirstProbeTimeoutMs);
  first.abort();
  timer_ = new QTimer(&context_);
  timer_->setInterval(kProbeIntervalMs);
  QObject::connect(timer_, &QTimer::timeout, &context_, [this] { StartProbe(); });
  timer_->start();
  return true;
}

void TcpDeviceNotifier::StartProbe() {
  // A probe that has had a whole interval without an answer counts as refused.
  if (probe_ != nullptr) ProbeEnded(false);
  probe_ = new QTcpSocket(&context_);
  QTcpSocket* probe = probe_;
  QObject::connect(probe, &QTcpSocket::connected, &context_, [this, probe] {
    if (probe == probe_) ProbeEnded(true);
  });
  QObject::connect(probe, &QTcpSocket::errorOccurred, &context_, [this, probe] {
    if (probe == probe_) ProbeEnded(false);
  });
  probe->connectToHost(QString::fromStdString(host_), port_);
}

void TcpDeviceNotifier::ProbeEnded(bool accepted) {
  QTcpSocket* probe = probe_;
  probe_ = nullptr;
  probe->disconnect(&context_);
  probe->abort();
  probe->deleteLater();
  SetPresent(accepted);
}

void TcpDeviceNotifier::SetPresent(bool present) {
  if (present == present_) return;
  present_ = present;
  const uint32_t event = present ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
  Deliver({event, {DBT_DEVTYP_DEVICEINTERFACE, path_}});
}
