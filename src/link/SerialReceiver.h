#pragma once

// Turning received bytes into messages: the serial receive state machine, which reads the port
// itself, and the network reassembler, which takes chunks from the socket.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "link/Frames.h"
#include "link/LinkInterfaces.h"

namespace velantro {

// What a receiver found. The device link implements it.
class ReceiverSink {
 public:
  virtual ~ReceiverSink() = default;
  // FE BB or FE AA.
  virtual void OnAcknowledge() = 0;
  // One message that starts with FC BA: a whole frame, or (serial) a body that arrived incomplete
  // within the read timeout. Validation is the decoder's job.
  virtual void OnFrame(std::span<const uint8_t> frame) = 0;
  // A message started with FC but its header was not a frame header (network only; the unit
  // still answered something).
  virtual void OnBadFrameHeader() {}
  virtual void OnDiagnostic(const std::string& line) = 0;
};

// The serial side: hunts for FC or FE, reads the header byte by byte, then the body in one
// blocking read once the receive event's count covers it.
class SerialReceiver {
 public:
  enum State : uint16_t { kHunting = 0, kHeader = 1, kBody = 2 };

  // One receive event; `count` is the number of bytes waiting when it fired.
  void OnReceive(SerialPort& port, size_t count, ReceiverSink& sink);

  uint16_t state() const { return state_; }
  uint16_t expected() const { return expected_; }
  uint16_t got() const { return got_; }
  const Bytes& buffer() const { return buffer_; }

 private:
  // Reads one byte if one is waiting.
  static bool ReadByte(SerialPort& port, uint8_t& byte);
  void Hunt(SerialPort& port, size_t count);
  void ReadHeader(SerialPort& port, size_t count, int& extra, ReceiverSink& sink);
  void ReadBody(SerialPort& port, size_t count, int extra, ReceiverSink& sink);
  void Reset();

  uint16_t state_ = kHunting;
  uint16_t expected_ = 0;
  uint16_t got_ = 0;
  Bytes buffer_;
};

// The network side: TCP delivers a byte stream, so chunks are reassembled with the same parse of
// start bytes and length, without blocking reads. Every acknowledgement and every frame in a
// chunk is reported; a frame split across chunks is completed by the next chunk.
class NetworkReceiver {
 public:
  void OnChunk(std::span<const uint8_t> chunk, ReceiverSink& sink);
  // Forgets a partial message (a new connection).
  void Reset() { pending_.clear(); }
  size_t pendingBytes() const { return pending_.size(); }

 private:
  Bytes pending_;
};

}  // namespace velantro
