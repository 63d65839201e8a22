// A shared library that is no component server: it exports none of the
// four entry points.
extern "C" __attribute__((visibility("default"))) int FunzioneQualsiasi()
{
    return 42;
}
