#pragma once

class QLineEdit;

// The entry limit of a box: the longest text a clerk can type into it, counted in characters (an
// emoji or a rare CJK character is one, never split in two). Unlike QLineEdit::setMaxLength it never
// cuts what the box is given to show, so a longer stored value is shown whole and is not written back
// shortened. The box is sized to show that many characters.
void limitTyping(QLineEdit* box, int maxLength);

// Text boxes take no control characters: a pasted NUL or line break would reach the books as a cut or
// broken value. Every bound box and search box gets this; limitTyping includes it. A box with a validator
// of its own keeps that one.
void refuseControlCharacters(QLineEdit* box);
