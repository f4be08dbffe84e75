// The texts the status line shows and the fixed parts of the failure lines, in GBK.
#pragma once

#include "text/text.h"

namespace vestrel {

inline const Text kStatusWait = "\xB5\xC8\xB4\xFD...";                        // 等待...
inline const Text kStatusUnknownError = "\xCE\xB4\xD6\xAA\xB4\xED\xCE\xF3!";  // 未知错误!
inline const Text kStatusDone = "\xCD\xEA\xB3\xC9\xA3\xA1";                   // 完成！
inline const Text kStatusSaved = "\xB1\xA3\xB4\xE6\xB3\xC9\xB9\xA6\xA3\xA1";  // 保存成功！
inline const Text kStatusStopping = "\xD5\xFD\xD4\xDA\xCD\xA3\xD6\xB9...";    // 正在停止...
inline const Text kStatusSaveFailed = "\xB1\xA3\xB4\xE6\xCA\xA7\xB0\xDC\xA3\xA1";  // 保存失败！

inline const Text kLineNotFound = "not find dic ";
inline const Text kLineReverseNotFound = "error:not find dic ";
inline const Text kLineMultipleResults = "error:multiple results ";
inline const Text kLineWriteFailed = "error:write failed ";
inline const Text kLineRenameFailed = "error:rename failed ";
inline const Text kLineUnsupportedName = "error:unsupported name ";

// A failure line: its fixed text, then the subject between double quotes.
inline Text FailureLine(const Text& fixed, const Text& subject) {
  return fixed + "\"" + subject + "\"";
}

}  // namespace vestrel
