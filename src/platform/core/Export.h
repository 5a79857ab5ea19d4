/// \file
/// VELKOGRID_EXPORT marks what the library offers its users: the classes and free functions
/// of its headers. The shared library is built with hidden symbols, so only what carries
/// the mark is visible to applications and to the Qt Designer plugin. Built as a static
/// library (VELKOGRID_STATIC, which the CMake target passes on to what links it), the mark
/// stands for nothing.
#pragma once

#include <QtGlobal>

#if defined(VELKOGRID_STATIC)
#define VELKOGRID_EXPORT
#elif defined(VELKOGRID_BUILDING_LIBRARY)
#define VELKOGRID_EXPORT Q_DECL_EXPORT
#else
#define VELKOGRID_EXPORT Q_DECL_IMPORT
#endif
