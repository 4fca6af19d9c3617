#pragma once

#include <QIcon>

// The program icon (a sheet with lines of text), drawn at any size; the same
// picture as the installed data/icons/tavlo.svg.
QIcon tavloAppIcon();
