// Compiled (syntax only) with nothing but one library's own include path, as
// its sources are: the library sees its own folder's headers and none of a
// library above it. EXPOSED_OWN and EXPOSED_FOREIGN name the two headers.
#define HARVEL_STRINGIFY(x) #x
#define HARVEL_HEADER(x) HARVEL_STRINGIFY(x)

#if !__has_include(HARVEL_HEADER(EXPOSED_OWN))
#error "the library does not see a header of its own folder"
#endif
#if __has_include(HARVEL_HEADER(EXPOSED_FOREIGN))
#error "the library sees a header of a library it does not link"
#endif
