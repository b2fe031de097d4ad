#pragma once

class QMessageBox;

// Makes a message box, once its icon, text and buttons are set, at least as wide as its title
// bar needs: the caption whole, in the bold face window managers draw it in, beside their
// window icon and buttons. A box sized to a short text alone has its caption cut ("Qu...el")
// or left out.
void FitCaption(QMessageBox* box);
