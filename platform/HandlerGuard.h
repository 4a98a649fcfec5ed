#pragma once
// Every event handler of the program runs through RunHandler: an error that
// escapes the handler ends it there and is shown in the error box, and the
// program goes on. Qt's own frames do not promise cleanup while an exception
// passes them, so the catch sits at the edge of our code; the application's
// notify override is only the last net.

#include <QObject>
#include <functional>
#include <utility>

namespace platform {

void RunHandler(const std::function<void()>& handler);

// Shows the exception being handled in the error box; call inside a catch.
void ShowCurrentError();

// Connects `signal` of `sender` to `handler`, run through RunHandler.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection BindHandler(Sender* sender, Signal signal, QObject* context,
                                    Handler handler) {
  return QObject::connect(sender, signal, context, [handler = std::move(handler)](auto&&... args) {
    RunHandler([&] { handler(std::forward<decltype(args)>(args)...); });
  });
}

}  // namespace platform
