$
--
cmd
--
Vendor\Remove.lnk
--

--

--
cmd /c "C:\Program Files\My App\uninst.exe /x"