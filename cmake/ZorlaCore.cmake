# The program's core: the folders of src/ in standard C++ that include no
# Windows header. Both builds read this list: the Windows build checks that a
# core folder uses only core folders, the native build (tests/native) compiles
# them with the sanitizers, and docs/architecture.md names them (a test checks).
set(ZORLA_CORE_LAYERS base xml store entries weather sync model)
