REM/ *** Micromaster CNC Program***
MOV/RAP,0.5,0.37,5,
(X5 comment
X1e999 Y1
Xnan
X
X3e38 Y+4 Z-1e-50
XY7