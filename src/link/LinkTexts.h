#pragma once

// Every text the link shows or says, Chinese and English side by side, in one table: the status
// captions, the loss and failure messages, and the notices of edits sent again.

#include <cstddef>
#include <string>

#include "model/Messages.h"

namespace velantro::linktext {

inline const LocalizedText kOnline{"设备已连接", "Online"};
inline const LocalizedText kLoading{"加载中...", "Loading..."};
inline const LocalizedText kLinking{"连接中...", "Linking..."};
inline const LocalizedText kDownload{"下载数据...", "Download..."};
inline const LocalizedText kOffLine{"设备未连接", "Off Line"};
inline const LocalizedText kLostMessage{"已断开连接!", "Off Line!"};
inline const LocalizedText kFailedMessage{"连接失败!", "Off Line!"};
inline const LocalizedText kSavedMessage{"保存成功!", "Save Success!"};
inline const LocalizedText kCaption{"提示", "Confirm"};
inline const LocalizedText kUploadDone{"上传完成: 设备已收到全部数据。",
                                       "Upload finished: the unit holds the new settings."};
inline const std::string kSearching = "Equipment search...";
inline const std::string kDisconnected = "OffLine";
inline const std::string kSaving = "Saving...";
inline const std::string kNetworkPort = "Network";
inline const std::string kPacedNote = " (paced)";

inline LocalizedText kResent(size_t count) {
  return {"设备已重新连接: 重新发送了 " + std::to_string(count) + " 项修改。",
          "The unit is back: " + std::to_string(count) +
              (count == 1 ? " edit it had not received was" : " edits it had not received were") +
              " sent again."};
}

inline LocalizedText kBadPort(const std::string& text) {
  return {"端口号无效: \"" + text + "\"。请输入 1 到 65535 之间的数字。",
          "Invalid port \"" + text + "\": enter a number from 1 to 65535."};
}

// The second line of a failure message: what the transfer could not get through, and why.
inline LocalizedText kCouldNotSend(const LocalizedText& what, const LocalizedText& why) {
  return {"无法发送" + what.chinese + "（" + why.chinese + "）",
          "Could not send " + what.english + " to the unit (" + why.english + ")."};
}
inline LocalizedText kCouldNotRead(const LocalizedText& what, const LocalizedText& why) {
  return {"无法读取" + what.chinese + "（" + why.chinese + "）",
          "Could not read " + what.english + " from the unit (" + why.english + ")."};
}
// Why a transfer gave a request up.
inline const LocalizedText kNoAnswer{"无应答", "no answer"};
inline const LocalizedText kDamagedAnswers{"应答损坏", "damaged answers"};
inline const LocalizedText kConnectionLost{"连接中断", "connection lost"};

// Captions of a transfer that get the paced note when the connection fell back to paced
// transfers.
inline bool IsTransferCaption(const std::string& caption) {
  for (const std::string* transfer :
       {&kSearching, &kLinking.english, &kLinking.chinese, &kLoading.english, &kLoading.chinese,
        &kDownload.english, &kDownload.chinese}) {
    if (caption == *transfer) return true;
  }
  return false;
}

}  // namespace velantro::linktext
