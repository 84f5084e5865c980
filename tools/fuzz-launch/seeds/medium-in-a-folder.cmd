\apps\memo
--
setup.exe /q
--
%DIRECT_FROM_CD%=\apps\memo\uninst.exe /x
--
MsiExec.exe /X{1234}
--
\DATA\A.DLL>C:\Target
/DATA/B.TXT>C:\Target
\DATA\..>C:\T
--
C:\Program Files\My App\uninst.exe /S