#pragma once

class QLineEdit;

// The entry limit of a box: the longest text a clerk can type into it. Unlike QLineEdit::setMaxLength
// it never cuts what the box is given to show, so a longer stored value is shown whole and is not
// written back shortened.
void limitTyping(QLineEdit* box, int maxLength);
