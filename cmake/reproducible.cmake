# Reproducible builds: two builds of one commit, in any two folders, give a
# byte-identical kestrow.exe (scripts/package.sh; checked by the ctest
# kestrow_exe_reproducible). Nothing of the build's folder or time goes in.
if(MSVC)
  # Expected to do the same for MSVC; nothing here builds with it.
  add_compile_options(/Brepro)
  add_link_options(/Brepro)
elseif(WIN32)
  # Source and build folders leave no trace in __FILE__ or debug records.
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/= -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
  # The linker would stamp the PE header with the time of linking.
  add_link_options(-Wl,--no-insert-timestamp)
endif()
