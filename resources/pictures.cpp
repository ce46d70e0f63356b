// The pictures themselves are compiled in by qt_add_resources; this library only
// carries them to every window library that links it.
namespace gravelock {
int picturesLibraryAnchor = 0;
}
