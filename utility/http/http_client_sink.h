// Callbacks of one download attempt, in the order the client makes them.
#pragma once

namespace utility {

class IHttpClientSink {
 public:
  // A step failed: code names it (10 open, 12 connect, 16 send, 17 response header, 19 body),
  // systemError is the thread's last-error value right after the failure.
  virtual void onHttpError(int code, int systemError) = 0;
  // The response header arrived; false ends the attempt as failed without more callbacks.
  virtual bool onHttpRecvHeader(int status, int contentLength) = 0;
  // One piece of body; false ends the attempt as failed.
  virtual bool onHttpRecvData(const char* data, int size) = 0;
  // The body is complete; called once, last.
  virtual void onHttpFinished() = 0;

 protected:
  ~IHttpClientSink() = default;
};

}  // namespace utility
