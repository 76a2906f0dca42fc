#include "link/Unit3.h"

#include <QDeadlineTimer>
#include <span>

namespace velantro {

TForm3::TForm3(ParamStore& store, LinkConfig& config, LinkView& view, Messages& messages,
               std::vector<std::string> extraPorts, QObject* parent)
    : QObject(parent),
      serial_(extraPorts, this),
      network_(this),
      timers_(this),
      link_(store, config, serial_, network_, timers_, view, messages) {
  setObjectName("Form3");
  link_.SetGivenPorts(std::move(extraPorts));

  connect(&timers_, &QtLinkTimers::timeout, this, &TForm3::OnTimeout);
  connect(&serial_, &SerialTransport::bytesWaiting, this,
          [this](size_t count) { link_.OnSerialBytes(count); });
  connect(&serial_, &SerialTransport::portProblem, this,
          [this](const std::string& problem) { link_.view().SetPortProblem(problem); });
  connect(&network_, &TcpTransport::received, this, &TForm3::OnNetworkChunk);
  // A transport that fails is a loss the link takes at once, when it is the one in use.
  connect(&serial_, &SerialTransport::lost, this, [this] {
    if (link_.kind() == LinkKind::Serial) link_.OnTransportLost();
  });
  connect(&network_, &TcpTransport::lost, this, [this] {
    if (link_.kind() == LinkKind::Network) link_.OnTransportLost();
  });
}

TForm3::~TForm3() {
  // The link goes first; what its parts report while they close must not reach it.
  serial_.disconnect(this);
  network_.disconnect(this);
  timers_.disconnect(this);
}

void TForm3::StartLink() {
  link_.FillPortList();
  link_.Connect();
}

void TForm3::Flush() {
  // One deadline for both: the program ends within kFlushMs whatever the two hold.
  const QDeadlineTimer deadline(kFlushMs);
  network_.Flush(deadline);
  serial_.Flush(deadline);
}

void TForm3::OnTimeout(LinkTimer timer) {
  switch (timer) {
    case LinkTimer::Search:
      link_.SearchTick();
      return;
    case LinkTimer::Download:
      link_.DownloadTick();
      return;
    case LinkTimer::Hold:
      link_.HoldTick();
      return;
  }
}

void TForm3::OnNetworkChunk(const QByteArray& chunk) {
  link_.OnNetworkChunk(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(chunk.constData()),
                                                static_cast<size_t>(chunk.size())));
}

}  // namespace velantro
