// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The two moments the owner hears about the store: a card that could not be
// read at start, and a change to the card that could not be written. Nothing
// else is ever reported; an empty card shown in silence would hide the loss.
namespace record {

// Flushes the store; when the file cannot be written, tells the owner and
// returns false (the change stays in the application, to be written by the next save).
bool synchronizeCard();
// At start: tells the owner when the stored card could not be read.
void reportUnreadableCard();

} // namespace record
