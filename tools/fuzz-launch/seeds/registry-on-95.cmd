apps
--
setup
--

--
C:\Program Files\My App\uninst.exe	/x
--
\DATA\•\.TXT>C:\Target
DATA\C.TXT>C:\Target\•
--
uninst.exe /log:x