// The font every window and picture of the program is drawn with.
#pragma once

// Family "wenquanyi" (the installed WenQuanYi Zen Hei), 14 points.
void setApplicationFont();
