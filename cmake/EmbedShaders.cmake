# Embeds the GLSL sources of engine/graphics/shaders/ into the engine library: at build time
# every *.vert / *.frag / *.glsl file becomes a string in one generated C++ source, looked up
# by file name through FindEmbeddedShader (engine/graphics/EmbeddedShaders.h). Editing a
# shader re-runs the generator.

# Run as a script (cmake -DOUTPUT=... -DSHADERS=a;b -P EmbedShaders.cmake) it writes the
# generated source; included from CMakeLists.txt it defines hoshikage_embed_shaders.
if(CMAKE_SCRIPT_MODE_FILE)
  set(body "// Generated from engine/graphics/shaders by cmake/EmbedShaders.cmake. Do not edit.\n")
  string(APPEND body "#include \"engine/graphics/EmbeddedShaders.h\"\n\n#include <cstring>\n\n")
  string(APPEND body "namespace {\nstruct Entry {\n    const char* name;\n    const char* source;\n};\n")
  string(APPEND body "const Entry kShaders[] = {\n")
  foreach(file ${SHADERS})
    get_filename_component(name ${file} NAME)
    file(READ ${file} text)
    string(FIND "${text}" ")hkglsl\"" clash)
    if(NOT clash EQUAL -1)
      message(FATAL_ERROR "${file} contains the raw-string delimiter")
    endif()
    string(APPEND body "    {\"${name}\", R\"hkglsl(${text})hkglsl\"},\n")
  endforeach()
  string(APPEND body "};\n}  // namespace\n\n")
  string(APPEND body "const char* FindEmbeddedShader(const char* name) {\n")
  string(APPEND body "    if (!name) return nullptr;\n")
  string(APPEND body "    for (const Entry& e : kShaders)\n")
  string(APPEND body "        if (std::strcmp(e.name, name) == 0) return e.source;\n")
  string(APPEND body "    return nullptr;\n}\n")
  file(WRITE ${OUTPUT}.tmp "${body}")
  file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
  file(REMOVE ${OUTPUT}.tmp)
  return()
endif()

set(HOSHIKAGE_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(hoshikage_embed_shaders target)
  set(shader_dir ${CMAKE_SOURCE_DIR}/engine/graphics/shaders)
  file(GLOB shader_files CONFIGURE_DEPENDS ${shader_dir}/*.vert ${shader_dir}/*.frag
       ${shader_dir}/*.glsl)
  list(SORT shader_files)
  set(output ${CMAKE_BINARY_DIR}/generated/EmbeddedShaders.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} "-DSHADERS=${shader_files}" -P
            ${HOSHIKAGE_EMBED_SCRIPT}
    DEPENDS ${shader_files} ${HOSHIKAGE_EMBED_SCRIPT}
    COMMENT "Embedding shaders"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()
