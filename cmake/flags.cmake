# Compiler flags. The library is one AVX2/FMA/BMI2/F16C variant: no run-time dispatch.
set(VEKS_ISA_FLAGS -mavx2 -mfma -mbmi -mbmi2 -mf16c -mlzcnt -mpopcnt)
# Warnings for every target of ours.
set(VEKS_CXX_FLAGS -Wall -Wextra -Wno-unused-parameter ${VEKS_ISA_FLAGS})
# The library itself: a C boundary with no exceptions or RTTI, and no silent FMA
# contraction, so float results are the ones the kernels spell out.
set(VEKS_LIB_FLAGS -fno-exceptions -fno-rtti -ffp-contract=off -fno-math-errno
  -fno-semantic-interposition)
set(VEKS_LINK_FLAGS)
if(VEKS_SANITIZE)
  set(san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(${san})
  add_link_options(${san})
endif()
