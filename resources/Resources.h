#pragma once

class QIcon;

// The application's own icon, for windows and the About box.
QIcon ApplicationIcon();
