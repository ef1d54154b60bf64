# Joins the kernel files into one C++ string constant so the library needs no
# file at run time. Called with -DOUTPUT=<cpp> -DSOURCES=<a.cl;b.cl;...>.
set(text "")
foreach(source ${SOURCES})
    file(READ ${source} content)
    string(APPEND text "${content}\n")
endforeach()
file(WRITE ${OUTPUT}.tmp
    "// Generated from libs/palettor/kernels at build time.\n"
    "namespace palettor::detail {\n"
    "extern const char* const kFilterKernelSource;\n"
    "const char* const kFilterKernelSource = R\"CLSOURCE(\n${text})CLSOURCE\";\n"
    "}  // namespace palettor::detail\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
