// The Qt transports on real endpoints: a TCP server on 127.0.0.1 standing in for the unit, and a
// pseudo-terminal.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <string>

#include "link/SerialTransport.h"
#include "link/TcpTransport.h"

namespace velantro::test {
namespace {

constexpr int kLimitMs = 5000;  // guards against a hang; each step takes milliseconds
constexpr int kQuietMs = 300;   // how long a report that must not come is waited for

const Bytes kRequest{0xFC, 0xBA, 0x06, 0xA7, 0x01, 0x05, 0x2C, 0x01, 0x6C};
const Bytes kAck{0xFE, 0xBB};

QByteArray AsQByteArray(const Bytes& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
}

// What Qt warned about while RecordWarning was installed.
std::string qtWarnings;

void RecordWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtDebugMsg && type != QtInfoMsg) qtWarnings += message.toStdString() + "\n";
}

// A transport connected to a server on 127.0.0.1; `unit` is the server's end.
struct TcpConnection {
  QTcpServer server;
  TcpTransport transport;
  QTcpSocket* unit = nullptr;
};

void Connect(TcpConnection& c) {
  ASSERT_TRUE(c.server.listen(QHostAddress::LocalHost));
  c.transport.ConnectNetwork("127.0.0.1", c.server.serverPort());
  // Sent while connecting: Qt holds it until the connection stands.
  c.transport.Send(kRequest);
  ASSERT_TRUE(c.server.waitForNewConnection(kLimitMs));
  c.unit = c.server.nextPendingConnection();
  ASSERT_TRUE(QTest::qWaitFor([&] { return c.unit->bytesAvailable() >= 9; }, kLimitMs));
  ASSERT_EQ(c.unit->readAll(), AsQByteArray(kRequest));
}

TEST(TcpTransport, OnlyTheUnitEndingTheConnectionIsALoss) {
  struct Case {
    const char* ending;
    std::function<void(TcpConnection&)> end;
    bool lost;
  };
  const Case cases[] = {
      {"the unit closes", [](TcpConnection& c) { c.unit->close(); }, true},
      {"the unit resets",
       [](TcpConnection& c) {
         const linger reset{1, 0};  // close with RST instead of FIN
         ::setsockopt(static_cast<int>(c.unit->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset,
                      sizeof reset);
         c.unit->close();
       },
       true},
      {"we deactivate", [](TcpConnection& c) { c.transport.Deactivate(); }, false},
      {"we connect anew",
       [](TcpConnection& c) { c.transport.ConnectNetwork("127.0.0.1", c.server.serverPort()); },
       false},
  };
  for (const Case& k : cases) {
    TcpConnection c;
    ASSERT_NO_FATAL_FAILURE(Connect(c)) << k.ending;
    QSignalSpy lost(&c.transport, &TcpTransport::lost);
    k.end(c);
    (void)QTest::qWaitFor([&] { return lost.count() > 0; }, k.lost ? kLimitMs : kQuietMs);
    EXPECT_EQ(lost.count(), k.lost ? 1 : 0) << k.ending;
  }
}

TEST(TcpTransport, NothingIsWrittenOnAClosedSocket) {
  TcpTransport transport;
  qtWarnings.clear();
  const QtMessageHandler previous = qInstallMessageHandler(RecordWarning);
  transport.Send(kRequest);
  qInstallMessageHandler(previous);
  EXPECT_EQ(qtWarnings, "");
}

TEST(SerialTransport, OnlyAPortThisUserMayNotOpenIsReportedAsAProblem) {
  // A pty the test holds open as the other program: a second open finds it locked.
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const std::string pty = ::ptsname(master);
  SerialTransport holder;
  holder.SetPortName(pty);
  ASSERT_TRUE(holder.Open());

  struct Case {
    const char* port;
    std::string name;
  };
  const Case cases[] = {
      {"missing", "/dev/velantro-no-such-device"},
      {"held by another program", pty},
  };
  for (const Case& c : cases) {
    SerialTransport transport;
    QSignalSpy problem(&transport, &SerialTransport::portProblem);
    transport.SetPortName(c.name);
    EXPECT_FALSE(transport.Open()) << c.port;
    EXPECT_EQ(problem.count(), 0) << c.port;
  }
  holder.Close();
  ::close(master);
}

}  // namespace
}  // namespace velantro::test
