#pragma once

#include <QByteArray>

namespace demo {

// What the demo host writes: prompts and screens made of command units, each
// unit ended by ESC, every screen ended by CR LF so that the client takes it
// at once.
QByteArray LoginPrompt();
QByteArray PasswordPrompt();
QByteArray LoginIncorrect();
// The enquiry screen; lastReply is shown under the boxes when not empty.
QByteArray EnquiryScreen(const QByteArray& lastReply);
QByteArray Goodbye();
// The host's menu for the client's menu tree, sent once after the log-on.
QByteArray MenuTree();

// The reply that ends the session.
inline constexpr char LogOffReply[] = "bye";

} // namespace demo
