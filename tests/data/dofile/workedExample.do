use "C:/Data/indagine.dta"
tempname tempMatrix
local t_1_1 "Ripartizione"
local t_1_2 "Maschio"
local t_2_1 "Nord | Centro"
summarize eta if (ripartizione==1 | ripartizione==2) & sesso==1
local t_2_2: display %9.2f r(mean)
local nRow 2
local nCol 2
file open outputFile using "C:/Data/tabella.csv", write text replace
forvalues row = 1/`nRow' {
      forvalues col = 1/`nCol' {
            if "`col'" == "`nCol'" {
                  file write outputFile "`t_`row'_`col''"
            }
            else {
                  file write outputFile "`t_`row'_`col'';"
            }
      }
      file write outputFile _n
}
file close outputFile
file open checkFile using "checkfile.tmp", write text replace
file close checkFile
