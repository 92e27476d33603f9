#pragma once

#include <QString>

namespace zor {

// The marker in front of every reply-file line that EncryptScript enciphered.
inline const QString ScriptMarker = QStringLiteral("<$Sc%@-");

// Fills ScriptKeys(1..31) with the program's fixed key table; hosts hold the
// same table and pick a key by its index.
void LoadScriptKeys();

// Keyless scramble of the lock file's lines: twice as long, random fillers.
QString ScrambleText(const QString& text);
QString UnscrambleText(const QString& text);

// Keyed digit cipher. Key index 0, or one outside the table, leaves the text
// as it is. Codes wrap within 0..255, so every text round-trips.
QString EncryptWithKey(const QString& text, int keyIndex);
QString DecryptWithKey(const QString& text, int keyIndex);

// The keyed cipher with the marker in front.
QString EncryptScript(const QString& text, int keyIndex);
// A text with the marker loses it (the argument too) and is deciphered; any
// other text comes back unchanged.
QString DecryptScript(QString& text, int keyIndex);

} // namespace zor
