// The leak checker's settings for every test, benchmark and measurement program. Compiled
// into each of them (a default that lived in the support library would never be linked:
// nothing of ours refers to it).
#ifdef __SANITIZE_ADDRESS__
// The GL driver, SDL, OpenAL and the loader keep a few allocations for the life of the
// process; the libraries stay loaded until exit (the platform never unloads them), so
// those allocations can be told apart by module or by the loader function that made them.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libEGL_mesa\nleak:libgallium\nleak:swrast_dri\nleak:libGLX_mesa\n"
           "leak:libLLVM\nleak:libdrm\nleak:libglapi\nleak:libEGL.so\nleak:libGLdispatch\n"
           "leak:libSDL2\nleak:libopenal\n"
           "leak:_dl_map_object_deps\nleak:add_to_global_resize\nleak:_dlerror_run\n"
           "leak:_dl_exception_create\n"
           // GoogleTest keeps each thread's SCOPED_TRACE stack in its own thread-local
           // holder, which (with thread-local storage not searched, below) looks lost.
           "leak:testing::internal::TraceInfo\n";
}

// This toolchain's leak checker can crash reading the thread-local blocks of libraries the
// GL driver loads (it follows a block address that was never allocated). Thread-local
// storage is therefore not searched for pointers: nothing of the game lives only there, and
// what the C library and SDL keep there is named above.
extern "C" const char* __lsan_default_options() {
    return "use_tls=0";
}
#endif
