#pragma once

// Turning received bytes into messages. Serial and TCP both deliver a byte stream, so both sides
// run the same scanner: it finds acknowledgements and frames by their start bytes and length,
// never waits for the line, and resynchronises on its own after junk, a bogus header or a
// damaged frame.

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
  virtual void OnAcknowledge(std::span<const uint8_t> ack) = 0;
  // One whole frame that starts with FC BA, carries a known command and passes its checksum.
  virtual void OnFrame(std::span<const uint8_t> frame) = 0;
  // A frame whose claimed length arrived but whose checksum failed: the unit answered something
  // that was damaged on the way.
  virtual void OnCorruptFrame(std::span<const uint8_t> frame) { (void)frame; }
  virtual void OnDiagnostic(const std::string& line) = 0;
};

// The shared stream parser. Bytes that cannot start a message are skipped; a header that is not
// a frame header, an FE without an acknowledgement key, and a frame that fails its checksum each
// lose only their start byte, and scanning goes on from the next byte, so a good message hidden
// behind junk is still found. A partial message is given up the same way once no byte has come
// for kPartialMessageGiveUpMs (a truncated frame must not swallow the acknowledgements that follow
// it, but a slow bridge that hands an answer over in pieces still gets it through).
class FrameScanner {
 public:
  static constexpr int kPartialMessageGiveUpMs = 500;

  // New bytes from the line; every complete message in what is held is reported at once.
  void Feed(std::span<const uint8_t> bytes, ReceiverSink& sink);
  // One tick of the running link timer, `elapsedMs` after the one before.
  void Tick(int elapsedMs, ReceiverSink& sink);
  // Forgets everything held (the port or socket was opened again).
  void Reset();
  size_t pendingBytes() const { return pending_.size(); }
  const Bytes& pending() const { return pending_; }

 private:
  void Scan(ReceiverSink& sink);

  Bytes pending_;
  int quietMs_ = 0;  // since the last byte arrived, while a partial message is held
  bool scanning_ = false;
  uint64_t generation_ = 0;  // moves on every Reset
};

// The serial side: each receive event takes every byte that is waiting, without blocking.
class SerialReceiver {
 public:
  // One receive event; reads what the port holds now (at most `count` bytes as the event
  // reported them, or more when more have arrived since). Returns how many bytes it read.
  size_t OnReceive(SerialPort& port, size_t count, ReceiverSink& sink);
  void Tick(int elapsedMs, ReceiverSink& sink) { scanner_.Tick(elapsedMs, sink); }
  void Reset() { scanner_.Reset(); }
  size_t pendingBytes() const { return scanner_.pendingBytes(); }

 private:
  FrameScanner scanner_;
};

// The network side: socket chunks go straight to the scanner.
class NetworkReceiver {
 public:
  void OnChunk(std::span<const uint8_t> chunk, ReceiverSink& sink) { scanner_.Feed(chunk, sink); }
  void Tick(int elapsedMs, ReceiverSink& sink) { scanner_.Tick(elapsedMs, sink); }
  void Reset() { scanner_.Reset(); }
  size_t pendingBytes() const { return scanner_.pendingBytes(); }

 private:
  FrameScanner scanner_;
};

}  // namespace velantro
